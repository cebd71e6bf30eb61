#include "stats/WordStatistics.h"

#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "stats/DictionaryFile.h"
#include "stats/PackedCounts.h"
#include "stats/Pruning.h"

namespace skerrow {

namespace {

// The counts a word gets when a message brings it into the table for the
// first time. Moving a message between spam and valid cannot take away what
// was never counted, so those modes start the word at zero.
std::int32_t FirstCounts(WordCountMode mode) {
  switch (mode) {
    case WordCountMode::AsSpam:
      return PackCounts(1, 0);
    case WordCountMode::AsValid:
      return PackCounts(0, 1);
    case WordCountMode::SpamToValid:
    case WordCountMode::ValidToSpam:
      break;
  }
  return 0;
}

std::int32_t LearnOnce(std::int32_t packed, WordCountMode mode) {
  std::int32_t spam = SpamCountOf(packed);
  std::int32_t valid = ValidCountOf(packed);
  switch (mode) {
    case WordCountMode::AsSpam:
      ++spam;
      break;
    case WordCountMode::AsValid:
      ++valid;
      break;
    case WordCountMode::SpamToValid:
      spam = spam > 0 ? spam - 1 : 0;
      ++valid;
      break;
    case WordCountMode::ValidToSpam:
      valid = valid > 0 ? valid - 1 : 0;
      ++spam;
      break;
  }
  // Halving both keeps the ratio the Bayes score reads while making room.
  if (valid > WordStatistics::CountLimit || spam > WordStatistics::CountLimit) {
    valid /= 2;
    spam /= 2;
  }
  return PackCounts(spam, valid);
}

}  // namespace

WordStatistics::WordStatistics()
    : dangerousExtensions_{".COM", ".EXE", ".BAT", ".SCR", ".PIF", ".CPL"} {}

void WordStatistics::UpdateWordCounts(const WordSet& words, WordCountMode mode) {
  for (const std::string& word : words) {
    const auto [entry, inserted] = wordTable_.try_emplace(word, FirstCounts(mode));
    if (inserted) {
      wordOrder_.Added(&*entry);
    } else {
      entry->second = LearnOnce(entry->second, mode);
    }
  }
}

std::optional<std::int32_t> WordStatistics::LookupWord(const std::string& word) const {
  const auto entry = wordTable_.find(word);
  if (entry == wordTable_.end()) return std::nullopt;
  return entry->second;
}

void WordStatistics::SetValidTexts(const std::vector<std::string>& texts) {
  validTexts_.clear();
  validTexts_.insert(texts.begin(), texts.end());
  ++validTextsVersion_;
}

void WordStatistics::RemoveValidTexts(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) validTexts_.erase(text);
  ++validTextsVersion_;
}

std::string WordStatistics::DictionaryPath() const {
  std::string path = dictionaryFolder_;
  path += '\\';
  path += DictionaryFileName;
  return path;
}

void WordStatistics::LoadDictionary(FileSystem& files, const CodePage& codePage, UserInterface& ui,
                                    std::string_view installFolder) {
  if (dictionaryLoaded_) return;
  dictionaryFolder_ = std::string(installFolder);
  keepOldDictionary_ = !ReadDictionaryFile(*this, files, codePage, ui);
  // Set whatever the read gave, so that a damaged file is not read again
  // over what was learned since.
  dictionaryLoaded_ = true;
}

void WordStatistics::LoadDictionary(const Platform& platform, const FilterOptions& options) {
  LoadDictionary(platform.files, platform.codePage, platform.ui, options.InstallFolder);
}

bool WordStatistics::SaveDictionary(FileSystem& files, UserInterface& ui) {
  const std::size_t words = wordTable_.size();
  PruneWords(wordTable_);
  if (wordTable_.size() != words) wordOrder_.Forget();
  if (spamMessageCount_ > CountLimit || validMessageCount_ > CountLimit) {
    spamMessageCount_ /= 2;
    validMessageCount_ /= 2;
  }
  if (!WriteDictionaryFile(*this, files, ui, keepOldDictionary_)) return false;
  keepOldDictionary_ = false;
  return true;
}

bool WordStatistics::SaveDictionary(const Platform& platform) {
  return SaveDictionary(platform.files, platform.ui);
}

}  // namespace skerrow
