// The road of a new message: every item added to the Inbox's Items is
// classified, then marked, moved or left alone as its verdict says, all
// inside the ItemAdd call. Keeps no state between items.
#pragma once

#include "base/Env.h"
#include "host/MailHost.h"

namespace skerrow {

class MailClassifier;
class SpamFolderManager;

class NewMailProcessor {
 public:
  // Both are borrowed and must outlive the processor.
  NewMailProcessor(Env env, MailClassifier& classifier, SpamFolderManager& spamFolder)
      : env_(env), classifier_(classifier), spamFolder_(spamFolder) {}

  // ItemAdd of the Inbox's Items. An item without a mail-item face (a meeting
  // request, a report) is logged and left untouched. Spam is marked (and with
  // bSpamAutoMove moved); an unchangeable item is moved to the Spam folder
  // untouched and untrained; valid and undecided items stay as they are.
  void OnNewInboxItem(const DispatchPtr& item);

 private:
  void MoveUnchangeable(MailItem& item);

  Env env_;
  MailClassifier& classifier_;
  SpamFolderManager& spamFolder_;
};

}  // namespace skerrow
