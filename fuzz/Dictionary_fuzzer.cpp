// Reads arbitrary bytes as the dictionary file, saves what was read, and
// reads the saved file again: the second reading must give exactly the
// statistics the first left after saving (saving prunes and halves), and
// saving those again must write the same bytes.
#include "fuzz/FuzzTarget.h"
#include "platform/linux/LinuxCodePage.h"
#include "stats/WordStatistics.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingUserInterface.h"

namespace {

using skerrow::WordStatistics;

constexpr std::string_view kFolder = "C:\\Dictionary";

bool SameStatistics(const WordStatistics& a, const WordStatistics& b) {
  return a.SpamMessageCount() == b.SpamMessageCount() &&
         a.ValidMessageCount() == b.ValidMessageCount() && a.ReservedCount() == b.ReservedCount() &&
         a.Words() == b.Words() && a.ValidSenders().entries() == b.ValidSenders().entries() &&
         a.SpamSenders().entries() == b.SpamSenders().entries() &&
         a.SpamSubjects().entries() == b.SpamSubjects().entries() &&
         a.SpamBodies().entries() == b.SpamBodies().entries() &&
         a.SpamLinks().entries() == b.SpamLinks().entries() && a.ValidTexts() == b.ValidTexts();
}

// Loads the file the file system holds at the dictionary path, then saves.
std::string LoadAndSave(skerrow::MemoryFileSystem& files, WordStatistics& statistics) {
  static const auto codePage = skerrow::LinuxCodePage::Create(1252);
  skerrow::RecordingUserInterface ui;
  statistics.LoadDictionary(files, *codePage, kFolder);
  statistics.SaveDictionary(files, ui);
  skerrow::fuzz::Require(ui.messages.empty(), "saving into memory shows no message");
  return files.files[statistics.DictionaryPath()];
}

}  // namespace

SKERROW_FUZZ_TARGET(Dictionary) {
  skerrow::MemoryFileSystem files;
  WordStatistics first;
  files.files[std::string(kFolder) + "\\" + std::string(WordStatistics::DictionaryFileName)] =
      std::string(input);
  const std::string saved = LoadAndSave(files, first);

  WordStatistics second;
  const std::string savedAgain = LoadAndSave(files, second);
  skerrow::fuzz::Require(SameStatistics(first, second), "a saved dictionary reads back the same");
  skerrow::fuzz::Require(saved == savedAgain, "saving what was read back writes the same bytes");
}

SKERROW_FUZZ_SEEDS(Dictionary) {
  // Dictionaries written by the dictionary writer itself.
  std::vector<std::string> seeds;
  for (int size : {0, 1, 3}) {
    skerrow::MemoryFileSystem files;
    WordStatistics statistics;
    LoadAndSave(files, statistics);
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
    skerrow::RecordingUserInterface ui;
    statistics.SaveDictionary(files, ui);
    seeds.push_back(files.files[statistics.DictionaryPath()]);
  }
  return seeds;
}
