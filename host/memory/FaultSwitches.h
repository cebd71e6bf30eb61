// Per-operation failure switches of the in-memory store. Every call of the
// store's objects first asks its switch; a switched call fails with the chosen
// status and returns an empty value, changing nothing.
//
// Operations are named "Class.Method" after the mail host interface:
//   Application.ActiveExplorer  Application.GetNamespace  Application.Advise
//   Application.Unadvise
//   Explorer.GetCommandBars  Explorer.CurrentFolder  Explorer.GetSelection
//   Selection.Count  Selection.Item
//   NameSpace.GetDefaultFolder  NameSpace.GetAddressLists
//   AddressLists.Count  AddressLists.Item  AddressList.GetAddressEntries
//   AddressEntries.Count  AddressEntries.Item  AddressEntry.Name
//   AddressEntry.Address
//   Folder.Parent  Folder.GetFolders  Folder.GetItems  Folder.Name
//   Folder.SetName
//   Folders.Count  Folders.Item  Folders.Add  Folders.Advise  Folders.Unadvise
//   Items.Count  Items.Restrict  Items.GetFirst  Items.GetNext  Items.Advise
//   Items.Unadvise
//   MailItem.Subject  MailItem.SetSubject  MailItem.Body  MailItem.HTMLBody
//   MailItem.SetHTMLBody  MailItem.SenderName  MailItem.To
//   MailItem.GetRecipients  MailItem.GetAttachments  MailItem.ReceivedTime
//   MailItem.Size  MailItem.Importance  MailItem.Sensitivity
//   MailItem.SetUnRead  MailItem.Save  MailItem.Move  MailItem.EntryID
//   TaskItem.ReminderSoundFile
//   Recipients.Count  Recipients.Item  Recipient.Address
//   Attachments.Count  Attachments.Item  Attachment.FileName
//   CommandBars.Add  CommandBars.ActiveMenuBar
//   CommandBar.Controls  CommandBar.SetVisible
//   CommandBarControls.Add  CommandBarControls.Item
//   CommandBarButton.SetStyle  CommandBarButton.PasteFace
//   CommandBarButton.SetCaption  CommandBarButton.SetEnabled
//   CommandBarButton.SetVisible  CommandBarButton.SetTooltipText
//   CommandBarButton.SetTag  CommandBarButton.Advise  CommandBarButton.Unadvise
//   CommandBarPopup.Controls
//   PropertyPages.Add
//   PropertyPageSite.OnStatusChange
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "base/HResult.h"

namespace skerrow {

class FaultSwitches {
 public:
  // Every operation name above, in that order.
  static std::span<const std::string_view> Operations();
  static bool IsOperation(std::string_view operation);

  // Makes every later call of the operation fail with the status. False (and
  // nothing switched) for an unknown operation or a status that is not a
  // failure.
  bool FailAlways(std::string_view operation, HResult status);
  // Makes the next `calls` calls fail, then lets calls succeed again.
  bool FailNext(std::string_view operation, HResult status, int calls);
  void Clear(std::string_view operation);
  void ClearAll();

  // Called by the store at the start of each operation: counts the call and
  // answers the status it must fail with, or hr::kOk.
  HResult Check(std::string_view operation);
  // How many times the operation was called, failed calls included.
  int Calls(std::string_view operation) const;

 private:
  struct Switch {
    HResult status = hr::kOk;
    int remaining = 0;  // calls still to fail; negative: always
  };
  std::map<std::string, Switch, std::less<>> switches_;
  std::map<std::string, int, std::less<>> calls_;
};

}  // namespace skerrow
