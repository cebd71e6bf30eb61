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

void ReadDictionaryFile(WordStatistics& statistics, FileSystem& files, const CodePage& codePage) {
  const std::optional<std::string> bytes = files.ReadAll(statistics.DictionaryPath());
  if (!bytes) return;
  DictionaryArchive archive(*bytes, codePage);
  SerializeStatistics(archive, statistics);
}

void WriteDictionaryFile(WordStatistics& statistics, FileSystem& files, UserInterface& ui) {
  const std::unique_ptr<ReplacementFile> file =
      files.CreateReplacement(statistics.DictionaryPath());
  if (!file) return;

  DictionaryArchive archive(*file);
  const SerializeOutcome outcome = SerializeStatistics(archive, statistics);
  for (int i = 0; i < outcome.failedLists; ++i) ShowMessage(ui, kDataStoringError);
  if (outcome.bodyFailed) ShowMessage(ui, kDataStoringError);

  if (!archive.Flush()) {
    ShowMessage(ui, kDictionaryWritingError);
    return;
  }
  // A file with a hole in it would lose everything after the hole at the
  // next start: keep the previous file instead.
  if (outcome.failedLists > 0 || outcome.bodyFailed) return;
  if (!file->Commit()) ShowMessage(ui, kDictionaryWritingError);
}

}  // namespace skerrow
