#include "host/memory/FaultSwitches.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace skerrow {

namespace {

constexpr std::string_view kAll[] = {
    "Application.ActiveExplorer",
    "Application.GetNamespace",
    "Application.Advise",
    "Application.Unadvise",
    "Explorer.GetCommandBars",
    "Explorer.CurrentFolder",
    "Explorer.GetSelection",
    "Selection.Count",
    "Selection.Item",
    "NameSpace.GetDefaultFolder",
    "NameSpace.GetAddressLists",
    "AddressLists.Count",
    "AddressLists.Item",
    "AddressList.GetAddressEntries",
    "AddressEntries.Count",
    "AddressEntries.Item",
    "AddressEntry.Name",
    "AddressEntry.Address",
    "Folder.Parent",
    "Folder.GetFolders",
    "Folder.GetItems",
    "Folder.Name",
    "Folder.SetName",
    "Folders.Count",
    "Folders.Item",
    "Folders.Add",
    "Folders.Advise",
    "Folders.Unadvise",
    "Items.Count",
    "Items.Restrict",
    "Items.GetFirst",
    "Items.GetNext",
    "Items.Advise",
    "Items.Unadvise",
    "MailItem.Subject",
    "MailItem.SetSubject",
    "MailItem.Body",
    "MailItem.HTMLBody",
    "MailItem.SetHTMLBody",
    "MailItem.SenderName",
    "MailItem.To",
    "MailItem.GetRecipients",
    "MailItem.GetAttachments",
    "MailItem.ReceivedTime",
    "MailItem.Size",
    "MailItem.Importance",
    "MailItem.Sensitivity",
    "MailItem.SetUnRead",
    "MailItem.Save",
    "MailItem.Move",
    "MailItem.EntryID",
    "TaskItem.ReminderSoundFile",
    "Recipients.Count",
    "Recipients.Item",
    "Recipient.Address",
    "Attachments.Count",
    "Attachments.Item",
    "Attachment.FileName",
    "CommandBars.Add",
    "CommandBars.ActiveMenuBar",
    "CommandBar.Controls",
    "CommandBar.SetVisible",
    "CommandBarControls.Add",
    "CommandBarControls.Item",
    "CommandBarButton.SetStyle",
    "CommandBarButton.PasteFace",
    "CommandBarButton.SetCaption",
    "CommandBarButton.SetEnabled",
    "CommandBarButton.SetVisible",
    "CommandBarButton.SetTooltipText",
    "CommandBarButton.SetTag",
    "CommandBarButton.Advise",
    "CommandBarButton.Unadvise",
    "CommandBarPopup.Controls",
    "PropertyPages.Add",
    "PropertyPageSite.OnStatusChange",
};

}  // namespace

std::span<const std::string_view> FaultSwitches::Operations() {
  return kAll;
}

bool FaultSwitches::IsOperation(std::string_view operation) {
  return std::find(std::begin(kAll), std::end(kAll), operation) != std::end(kAll);
}

bool FaultSwitches::FailAlways(std::string_view operation, HResult status) {
  return FailNext(operation, status, -1);
}

bool FaultSwitches::FailNext(std::string_view operation, HResult status, int calls) {
  if (!IsOperation(operation) || !hr::Failed(status) || calls == 0) return false;
  switches_[std::string(operation)] = Switch{status, calls < 0 ? -1 : calls};
  return true;
}

void FaultSwitches::Clear(std::string_view operation) {
  auto found = switches_.find(operation);
  if (found != switches_.end()) switches_.erase(found);
}

void FaultSwitches::ClearAll() {
  switches_.clear();
}

HResult FaultSwitches::Check(std::string_view operation) {
  assert(IsOperation(operation) && "every store operation is listed in FaultSwitches.h");
  auto counted = calls_.find(operation);
  if (counted == calls_.end()) counted = calls_.emplace(std::string(operation), 0).first;
  ++counted->second;

  auto found = switches_.find(operation);
  if (found == switches_.end()) return hr::kOk;
  const HResult status = found->second.status;
  if (found->second.remaining > 0 && --found->second.remaining == 0) switches_.erase(found);
  return status;
}

int FaultSwitches::Calls(std::string_view operation) const {
  auto found = calls_.find(operation);
  return found == calls_.end() ? 0 : found->second;
}

}  // namespace skerrow
