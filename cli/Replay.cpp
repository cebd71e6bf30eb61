#include "cli/Replay.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "cli/Delivered.h"
#include "spamfolder/UserCommands.h"

namespace skerrow::cli {

namespace {

constexpr const char16_t* kFiledFolder = u"Replayed";

FolderPtr FiledFolder(Session& session) {
  FolderPtr inbox = session.store().Inbox();
  if (!inbox) return nullptr;
  const Result<FoldersPtr> folders = inbox->GetFolders();
  if (!folders.value) return nullptr;
  const Result<FolderPtr> added = folders.value->Add(kFiledFolder, olk::kFolderDrafts);
  if (added.value) return added.value;
  const Result<FolderPtr> found = session.store().FindFolder(u"Inbox/Replayed");
  return found.value;
}

void Correct(Session& session, const DispatchPtr& item, bool spam) {
  UserCommands* commands = session.addIn().commands();
  if (commands == nullptr) return;
  const Result<maildir::ItemLocation> where = session.store().Locate(item);
  const FolderPtr& spamFolder = session.addIn().spamFolder().SpamFolder();
  session.store().SetSelection({item});
  if (spam) {
    commands->MarkSelection();
  } else if (where.ok() && spamFolder &&
             where.value.topLevelFolder == session.addIn().spamFolder().SpamFolderName()) {
    session.store().SetCurrentFolder(spamFolder);
    commands->MoveSelectionToInbox();
  } else {
    commands->UnmarkSelection();
  }
  session.store().SetSelection({});
}

}  // namespace

std::vector<std::string> FilesIn(const std::string& folder, std::string& error) {
  std::vector<std::string> files;
  std::error_code code;
  std::filesystem::directory_iterator it(folder, code);
  if (code) {
    error = "cannot read the folder " + folder;
    return files;
  }
  for (const auto& entry : it) {
    std::error_code ignored;
    if (entry.is_regular_file(ignored)) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<LabelledMessage> InterleaveCorpus(const std::vector<std::string>& ham,
                                              const std::vector<std::string>& spam) {
  std::vector<LabelledMessage> stream;
  stream.reserve(ham.size() + spam.size());
  std::size_t h = 0;
  std::size_t s = 0;
  while (h < ham.size() || s < spam.size()) {
    // Take from the list that is further behind its share of the stream.
    const bool takeSpam = h >= ham.size() || (s < spam.size() && s * ham.size() < h * spam.size());
    if (takeSpam) {
      stream.push_back({spam[s++], true});
    } else {
      stream.push_back({ham[h++], false});
    }
  }
  return stream;
}

ReplayCounts Replay(Session& session, const std::vector<LabelledMessage>& messages,
                    const std::function<void(std::size_t done)>& progress) {
  ReplayCounts counts;
  const FolderPtr filed = FiledFolder(session);
  const auto start = std::chrono::steady_clock::now();
  std::string bytes;
  std::string error;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const LabelledMessage& message = messages[i];
    (message.spam ? counts.spam : counts.ham) += 1;
    if (i % kReplayWindow == 0) counts.windows.push_back({i + 1, 0, 0, 0});
    ReplayWindow& window = counts.windows.back();
    ++window.messages;
    if (!ReadMessageFile(message.file, bytes, error)) {
      ++counts.unreadable;
      continue;
    }
    const Result<MailItemPtr> delivered = session.store().Deliver(bytes);
    const auto verdicts = session.TakeVerdicts();
    if (!delivered.value || verdicts.empty()) {
      ++counts.unreadable;
      continue;
    }
    const SpamVerdict& verdict = verdicts.back().verdict;
    const bool judgedSpam = verdict.kind == VerdictKind::Spam;
    if (judgedSpam != message.spam) {
      if (message.spam) {
        ++counts.falseNegatives;
        ++window.falseNegatives;
        ++counts.falseNegativesByVerdict[VerdictKindName(verdict.kind)];
      } else {
        ++counts.falsePositives;
        ++window.falsePositives;
        ++counts.falsePositivesByReason[static_cast<int>(verdict.reason)];
      }
      Correct(session, delivered.value, message.spam);
      session.TakeVerdicts();
    }
    if (filed) {
      const Result<maildir::ItemLocation> where = session.store().Locate(delivered.value);
      if (where.ok() && where.value.topLevelFolder == u"Inbox") {
        delivered.value->Move(filed);
      }
    }
    if (progress) progress(i + 1);
  }
  counts.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return counts;
}

}  // namespace skerrow::cli
