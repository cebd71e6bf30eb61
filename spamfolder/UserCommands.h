// The commands of the toolbar buttons and menu items. Each runs on the mail
// client's thread from a Click and returns nothing; failed host calls are
// logged with their places and the command goes on with the next object. The
// only words the user sees are "Warning: Nothing to move." and "This command
// is valid only for the Spam Folder!".
//
// The commands move, mark and unmark; what happens when a folder grows is the
// watcher's business (SpamFolderManager::OnFolderChange).
#pragma once

#include <cstdint>

#include "base/Env.h"
#include "host/MailHost.h"

namespace skerrow {

class SpamFolderManager;
class SpamTrainer;

class UserCommands {
 public:
  // All three are borrowed and must outlive the commands.
  UserCommands(Env env, Application& application, SpamFolderManager& spamFolder,
               SpamTrainer& trainer)
      : env_(env), application_(application), spamFolder_(spamFolder), trainer_(trainer) {}

  // To Spam: moves every Inbox message with the Inbox marker to the Spam
  // folder. Learns nothing and retitles nothing.
  void MoveMarkedToSpam();

  // To Inbox: only while the Spam folder is shown; moves the selected
  // messages to the Inbox, unmarking those with the Inbox marker first.
  void MoveSelectionToInbox();

  // Mark: learns each selected message without a marker as spam and marks it
  // (moving it to the Spam folder when bSpamAutoMove is on). Messages already
  // marked, or already taught as spam without a marker, are left alone.
  void MarkSelection();

  // Unmark: removes the marks of each selected message with the Inbox marker
  // and unlearns it as spam.
  void UnmarkSelection();

  // Help: opens "Skerrow.chm" of the installation folder with the shell.
  void OpenHelp();

 private:
  struct SelectionPlaces {
    int count;
    int item;
    int notMail;  // 0: a member that is not mail is passed over silently
  };
  template <class Act>
  void ForEachSelectedMail(Selection& selection, const SelectionPlaces& places, Act act);
  void ForEachSelectedMailOfMarkCommands(void (UserCommands::*act)(MailItem&));
  void MarkOne(MailItem& item);
  void UnmarkOne(MailItem& item);

  Env env_;
  Application& application_;
  SpamFolderManager& spamFolder_;
  SpamTrainer& trainer_;
};

}  // namespace skerrow
