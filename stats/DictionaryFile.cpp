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

// Passes the archive's writes on to the new file, summing them up as they go.
class FingerprintingFile : public ReplacementFile {
 public:
  explicit FingerprintingFile(ReplacementFile& file) : file_(file) {}
  bool Write(const void* data, std::size_t size) override {
    fingerprint_.Add(std::string_view(static_cast<const char*>(data), size));
    return file_.Write(data, size);
  }
  bool Commit() override { return file_.Commit(); }
  const DictionaryFingerprint& Fingerprint() const { return fingerprint_; }

 private:
  ReplacementFile& file_;
  DictionaryFingerprint fingerprint_;
};

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
  const bool whole =
      !damaged && !outcome.bodyFailed && outcome.failedLists == 0 && archive.Remaining() == 0;
  statistics.SetStoredDictionary(whole ? std::optional(DictionaryFingerprint::Of(*bytes))
                                       : std::nullopt);
  return whole;
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

  FingerprintingFile fingerprinting(*file);
  DictionaryArchive archive(fingerprinting);
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
  // The very bytes the file holds: it stays as it is, and a session that
  // learned nothing pays no disk sync at its end.
  if (!keepOld && statistics.StoredDictionary() == fingerprinting.Fingerprint() &&
      files.Exists(path)) {
    return true;
  }
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
  statistics.SetStoredDictionary(fingerprinting.Fingerprint());
  return true;
}

}  // namespace skerrow
