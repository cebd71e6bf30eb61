// Reads arbitrary bytes as the dictionary file, saves what was read, and
// reads the saved file again: the second reading must give exactly the
// statistics the first left after saving (saving prunes and halves), and,
// where saving has nothing more to halve, saving again writes the same bytes.
#include "fuzz/FuzzTarget.h"
#include "platform/linux/LinuxCodePage.h"
#include "stats/WordStatistics.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingUserInterface.h"

namespace {

using skerrow::WordStatistics;

constexpr std::string_view kFolder = "C:\\Dictionary";

void RequireSameStatistics(const WordStatistics& a, const WordStatistics& b) {
  using skerrow::fuzz::Require;
  Require(a.SpamMessageCount() == b.SpamMessageCount() &&
              a.ValidMessageCount() == b.ValidMessageCount() &&
              a.ReservedCount() == b.ReservedCount(),
          "the totals read back");
  Require(a.Words() == b.Words(), "the word table reads back");
  Require(a.ValidSenders().entries() == b.ValidSenders().entries(), "valid senders read back");
  Require(a.SpamSenders().entries() == b.SpamSenders().entries(), "spam senders read back");
  Require(a.SpamSubjects().entries() == b.SpamSubjects().entries(), "spam subjects read back");
  Require(a.SpamBodies().entries() == b.SpamBodies().entries(), "spam bodies read back");
  Require(a.SpamLinks().entries() == b.SpamLinks().entries(), "spam links read back");
  Require(a.ValidTexts() == b.ValidTexts(), "valid texts read back");
}

std::string SavedBytes(skerrow::MemoryFileSystem& files, WordStatistics& statistics) {
  skerrow::RecordingUserInterface ui;
  statistics.SaveDictionary(files, ui);
  skerrow::fuzz::Require(ui.messages.empty(), "saving into memory shows no message");
  return files.files[statistics.DictionaryPath()];
}

void Load(skerrow::MemoryFileSystem& files, WordStatistics& statistics) {
  static const auto codePage = skerrow::LinuxCodePage::Create(1252);
  // A damaged file shows the reading error; that is the reader's answer.
  skerrow::RecordingUserInterface ui;
  statistics.LoadDictionary(files, *codePage, ui, kFolder);
}

}  // namespace

SKERROW_FUZZ_TARGET(Dictionary) {
  skerrow::MemoryFileSystem files;
  WordStatistics first;
  files.files[std::string(kFolder) + "\\" + std::string(WordStatistics::DictionaryFileName)] =
      std::string(input);
  Load(files, first);
  const std::string saved = SavedBytes(files, first);

  WordStatistics second;
  Load(files, second);
  RequireSameStatistics(first, second);
  // Saving halves totals above the limit once per save, so only totals
  // within it stay as they are when saved again.
  if (second.SpamMessageCount() <= WordStatistics::CountLimit &&
      second.ValidMessageCount() <= WordStatistics::CountLimit) {
    skerrow::fuzz::Require(SavedBytes(files, second) == saved,
                           "saving what was read back writes the same bytes");
  }
}

SKERROW_FUZZ_SEEDS(Dictionary) {
  // Dictionaries written by the dictionary writer itself.
  std::vector<std::string> seeds;
  for (int size : {0, 1, 3}) {
    skerrow::MemoryFileSystem files;
    WordStatistics statistics;
    Load(files, statistics);
    statistics.SetSpamMessageCount(7 * size);
    statistics.SetValidMessageCount(11 * size);
    for (int i = 0; i < size * 5; ++i) {
      statistics.Words()["word" + std::to_string(i)] = (i + 1) * 65537;
      statistics.SpamSubjects().Increment("Cheap watches " + std::to_string(i));
      statistics.SpamSenders().Increment("seller" + std::to_string(i) + "@spam.example");
      statistics.SpamBodies().Increment("Dear friend, I am writing " + std::to_string(i));
      statistics.SpamLinks().Increment("http://spam.example/" + std::to_string(i));
      statistics.ValidSenders().Increment("friend" + std::to_string(i) + "@home.example");
      statistics.AddValidText("project " + std::to_string(i));
    }
    statistics.Words()[std::string(300, 'w')] = 0x00020001;
    seeds.push_back(SavedBytes(files, statistics));
  }
  return seeds;
}
