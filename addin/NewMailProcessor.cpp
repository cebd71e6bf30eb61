#include "addin/NewMailProcessor.h"

#include "base/ErrorLog.h"
#include "engine/MailClassifier.h"
#include "spamfolder/SpamFolderManager.h"

namespace skerrow {

namespace {
constexpr int kPlaceMoveUnchangeable = 202402;
constexpr int kPlaceNotMail = 203001;
}  // namespace

void NewMailProcessor::OnNewInboxItem(const DispatchPtr& added) {
  const MailItemPtr item = added ? added->AsMailItem() : nullptr;
  if (!item) {
    env_.log.LogFailure(hr::kMissing, kPlaceNotMail);
    return;
  }
  const SpamVerdict verdict = classifier_.classify(*item);
  switch (verdict.kind) {
    case VerdictKind::Spam:
      spamFolder_.MarkClassifiedMessage(*item, verdict.reason, verdict.score);
      break;
    case VerdictKind::Unchangeable:
      MoveUnchangeable(*item);
      break;
    case VerdictKind::Valid:
    case VerdictKind::Undecided:
      break;
  }
}

void NewMailProcessor::MoveUnchangeable(MailItem& item) {
  const FolderPtr& destination = spamFolder_.SpamFolder();
  if (!destination) {
    env_.log.LogFailure(hr::kMissing, kPlaceMoveUnchangeable);
    return;
  }
  const Result<DispatchPtr> moved = item.Move(destination);
  env_.log.LogFailure(moved.status, kPlaceMoveUnchangeable);
  // The watcher would otherwise take the untouched message for one the user
  // put there and teach it as spam; it is to be moved, not learned.
  const MailItemPtr there = moved.value ? moved.value->AsMailItem() : nullptr;
  if (there) spamFolder_.NoteAlreadyTaught(*there);
}

}  // namespace skerrow
