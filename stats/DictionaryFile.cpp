#include "stats/DictionaryFile.h"

#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "stats/DictionaryArchive.h"
#include "stats/SerializeStatistics.h"
#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

void ShowMessage(UserInterface& ui, std::string_view text) {
  ui.ShowMessage(text, kDictionaryMessageCaption, mb::kOk);
}

}  // namespace

bool ReadDictionaryFile(WordStatistics& statistics, FileSystem& files, const CodePage& codePage,
                        UserInterface& ui) {
  const std::string path = statistics.DictionaryPath();
  const std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) {
    if (!files.Exists(path)) return true;
    ShowMessage(ui, kDictionaryReadingError);
    return false;
  }
  DictionaryArchive archive(*bytes, codePage);
  const SerializeOutcome outcome = SerializeStatistics(archive, statistics);
  const bool damaged = statistics.SpamMessageCount() < 0 || statistics.ValidMessageCount() < 0;
  if (damaged) ShowMessage(ui, kDictionaryReadingError);
  return !damaged && !outcome.bodyFailed && outcome.failedLists == 0 && archive.Remaining() == 0;
}

bool WriteDictionaryFile(WordStatistics& statistics, FileSystem& files, UserInterface& ui,
                         bool keepOld) {
  const std::string path = statistics.DictionaryPath();
  const std::unique_ptr<ReplacementFile> file = files.CreateReplacement(path);
  if (!file) {
    // Everything learned since start-up is lost here: the user must know.
    ShowMessage(ui, kDictionaryWritingError);
    return false;
  }

  DictionaryArchive archive(*file);
  const SerializeOutcome outcome = SerializeStatistics(archive, statistics);
  for (int i = 0; i < outcome.failedLists; ++i) ShowMessage(ui, kDataStoringError);
  if (outcome.bodyFailed) ShowMessage(ui, kDataStoringError);

  if (!archive.Flush()) {
    ShowMessage(ui, kDictionaryWritingError);
    return false;
  }
  // A file with a hole in it would lose everything after the hole at the
  // next start: keep the previous file instead.
  if (outcome.failedLists > 0 || outcome.bodyFailed) return false;
  const std::string damaged = path + std::string(kDamagedCopySuffix);
  const bool moveOld = keepOld && files.Exists(path);
  if (moveOld && !files.RenameFile(path, damaged)) {
    ShowMessage(ui, kDictionaryWritingError);
    return false;
  }
  if (!file->Commit()) {
    if (moveOld) files.RenameFile(damaged, path);
    ShowMessage(ui, kDictionaryWritingError);
    return false;
  }
  return true;
}

}  // namespace skerrow
