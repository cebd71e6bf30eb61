// The learned memory of the filter: the Bayes word table with the two message
// totals, the five learned lists, the user's valid texts and the fixed list of
// dangerous extensions. One instance lives in the add-in object; only the
// mail client's user-interface thread touches it.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/MessageFeatures.h"
#include "stats/DictionaryFingerprint.h"
#include "stats/LearnedList.h"
#include "stats/WordOrder.h"

namespace skerrow {

struct FilterOptions;
struct Platform;
class CodePage;
class FileSystem;
class UserInterface;

// How one learned message changes the counts of its words. The values are
// fixed: callers and tools name the modes by them.
enum class WordCountMode : int { AsSpam = 0, AsValid = 1, SpamToValid = 2, ValidToSpam = 3 };

class WordStatistics {
 public:
  // Largest count kept in one half of a packed value, and largest message
  // total kept when the dictionary is saved.
  static constexpr std::int32_t CountLimit = 65535;
  // The version written into the dictionary file.
  static constexpr std::int32_t FormatVersion = 2;
  // Word count above which the table is pruned when the dictionary is saved.
  static constexpr std::int32_t WordLimit = 16384;
  static constexpr std::string_view DictionaryFileName = "Tamsquill.bin";

  WordStatistics();

  // --- Word table
  // Every word of the set changes its counts once; a count above CountLimit
  // halves both counts of that word.
  void UpdateWordCounts(const WordSet& words, WordCountMode mode);
  // The packed counts of the word, if it was ever learned.
  std::optional<std::int32_t> LookupWord(const std::string& word) const;
  // Taken for writing, the table's known order is forgotten (see WordOrder).
  WordTable& Words() {
    wordOrder_.Forget();
    return wordTable_;
  }
  const WordTable& Words() const { return wordTable_; }
  // What is known of the table's records in ascending key order; the
  // dictionary file's reading and writing keep it.
  const WordOrder& KnownWordOrder() const { return wordOrder_; }
  void KeepWordOrder(std::vector<const WordTable::value_type*> ascending) {
    wordOrder_.Keep(std::move(ascending));
  }

  // --- Message totals
  std::int32_t SpamMessageCount() const { return spamMessageCount_; }
  std::int32_t ValidMessageCount() const { return validMessageCount_; }
  std::int32_t ReservedCount() const { return reservedCount_; }
  void SetSpamMessageCount(std::int32_t count) { spamMessageCount_ = count; }
  void SetValidMessageCount(std::int32_t count) { validMessageCount_ = count; }
  void SetReservedCount(std::int32_t count) { reservedCount_ = count; }

  // --- Learned lists
  LearnedList& SpamSubjects() { return spamSubjects_; }
  LearnedList& SpamBodies() { return spamBodies_; }
  LearnedList& SpamSenders() { return spamSenders_; }
  LearnedList& SpamLinks() { return spamLinks_; }
  LearnedList& ValidSenders() { return validSenders_; }
  const LearnedList& SpamSubjects() const { return spamSubjects_; }
  const LearnedList& SpamBodies() const { return spamBodies_; }
  const LearnedList& SpamSenders() const { return spamSenders_; }
  const LearnedList& SpamLinks() const { return spamLinks_; }
  const LearnedList& ValidSenders() const { return validSenders_; }

  // --- Valid texts: kept as typed, in ascending byte order, each once.
  const std::set<std::string>& ValidTexts() const { return validTexts_; }
  // Replaces the whole list; duplicates collapse.
  void SetValidTexts(const std::vector<std::string>& texts);
  // Removes each given text that is present.
  void RemoveValidTexts(const std::vector<std::string>& texts);
  void AddValidText(std::string text) {
    validTexts_.insert(std::move(text));
    ++validTextsVersion_;
  }
  void ClearValidTexts() {
    validTexts_.clear();
    ++validTextsVersion_;
  }
  // Changes with every change of the list, so that what is derived from it
  // (its upper-cased form) is made once per change, not once per message.
  std::uint64_t ValidTextsVersion() const { return validTextsVersion_; }

  // ".COM", ".EXE", ".BAT", ".SCR", ".PIF", ".CPL", in this order; never stored.
  const std::vector<std::string>& DangerousExtensions() const { return dangerousExtensions_; }

  // --- Dictionary file
  // Once per object: remembers installFolder as the dictionary folder and
  // reads the file there. A missing file leaves the statistics empty; what a
  // damaged file held up to the damage is kept, and an unreadable or damaged
  // file shows the reading error (see ReadDictionaryFile).
  void LoadDictionary(FileSystem& files, const CodePage& codePage, UserInterface& ui,
                      std::string_view installFolder);
  void LoadDictionary(const Platform& platform, const FilterOptions& options);
  // Prunes, halves totals above CountLimit and writes the file into the
  // folder remembered at load. The old file is replaced only by a complete
  // new one; one that was not read whole at load is kept beside it first.
  // Returns whether the new file is in place.
  bool SaveDictionary(FileSystem& files, UserInterface& ui);
  bool SaveDictionary(const Platform& platform);

  const std::string& DictionaryFolder() const { return dictionaryFolder_; }
  bool DictionaryLoaded() const { return dictionaryLoaded_; }
  // The folder and the file name joined with a single backslash.
  std::string DictionaryPath() const;
  // The bytes of the dictionary file as last read whole or written; none
  // when it was not (then the next save writes whatever it holds).
  const std::optional<DictionaryFingerprint>& StoredDictionary() const { return storedDictionary_; }
  void SetStoredDictionary(std::optional<DictionaryFingerprint> stored) {
    storedDictionary_ = stored;
  }

 private:
  WordTable wordTable_;
  WordOrder wordOrder_;
  LearnedList spamSubjects_{20, 2048};
  LearnedList spamBodies_{30, 2048};
  LearnedList spamSenders_{50, 1024};
  LearnedList spamLinks_{50, 2048};
  LearnedList validSenders_{50, 2048};
  std::set<std::string> validTexts_;
  std::uint64_t validTextsVersion_ = 0;
  std::int32_t spamMessageCount_ = 0;
  std::int32_t validMessageCount_ = 0;
  std::int32_t reservedCount_ = 0;
  std::string dictionaryFolder_;
  bool dictionaryLoaded_ = false;
  // The file found at load was not read whole: the next save keeps it.
  bool keepOldDictionary_ = false;
  std::optional<DictionaryFingerprint> storedDictionary_;
  std::vector<std::string> dangerousExtensions_;
};

}  // namespace skerrow
