#include "host/memory/MemoryStore.h"

#include <algorithm>
#include <string>
#include <utility>

#include "host/memory/MemoryApplication.h"
#include "host/memory/MemoryCommandBarButton.h"
#include "host/memory/MemoryHandles.h"
#include "host/memory/MemoryPropertyPageSite.h"
#include "host/memory/StoreEvents.h"
#include "host/memory/StoredItemHandle.h"

namespace skerrow {

namespace {

// 2025-01-01 09:00 as an OLE date; each message without a time of its own
// arrives a minute after the one before.
constexpr double kFirstReceivedTime = 45658.375;
constexpr double kOneMinute = 1.0 / (24 * 60);

// A plausible message size: headers, the texts in UTF-16 and a fixed share
// per attachment.
std::int32_t EstimatedSize(const NewMail& mail) {
  const std::size_t characters = mail.subject.size() + mail.body.size() + mail.htmlBody.size() +
                                 mail.sender.size() + mail.to.size();
  return static_cast<std::int32_t>(512 + 2 * characters + 1024 * mail.attachments.size());
}

const std::vector<ControlKind>& DefaultMenuBar() {
  // File, Edit, View, Go, Tools, Actions, Help.
  static const std::vector<ControlKind> kMenus(7, ControlKind::Popup);
  return kMenus;
}

}  // namespace

MemoryStore::MemoryStore() : state_(std::make_shared<StoreState>()) {
  state_->nextReceivedTime = kFirstReceivedTime;
  state_->root = std::make_shared<StoredFolder>(u"Personal Folders", state_->queue);
  FolderPtr inbox = AddFolder(u"Inbox");
  FolderPtr deleted = AddFolder(u"Deleted Items");
  FolderPtr sent = AddFolder(u"Sent Items");
  SetDefaultFolder(olk::kFolderInbox, inbox);
  SetDefaultFolder(kFolderDeletedItems, deleted);
  SetDefaultFolder(kFolderSentMail, sent);
  SetCurrentFolder(inbox);
  SetMenuBar(DefaultMenuBar());
}

MemoryStore::~MemoryStore() {
  // A selected foreign object may be a handle that holds this state; let go
  // of it so that the two do not keep each other alive.
  state_->selection.clear();
}

StoredFolderPtr MemoryStore::Stored(const FolderPtr& folder) const {
  return StoredFolderOf(*state_, folder);
}

ApplicationPtr MemoryStore::GetApplication() {
  return std::make_shared<MemoryApplication>(state_);
}

FolderPtr MemoryStore::Root() {
  return MakeFolderHandle(state_, state_->root);
}

FolderPtr MemoryStore::Inbox() {
  auto found = state_->defaultFolders.find(olk::kFolderInbox);
  if (found == state_->defaultFolders.end()) return nullptr;
  return MakeFolderHandle(state_, found->second.lock());
}

FolderPtr MemoryStore::TopFolder(std::u16string_view name) {
  for (const auto& folder : state_->root->subfolders) {
    if (folder->name == name) return MakeFolderHandle(state_, folder);
  }
  return nullptr;
}

FolderPtr MemoryStore::AddFolder(std::u16string name) {
  return AddFolder(Root(), std::move(name));
}

FolderPtr MemoryStore::AddFolder(const FolderPtr& parent, std::u16string name) {
  StoredFolderPtr stored = Stored(parent);
  if (!stored || name.empty() || stored->FindSubfolder(name)) return nullptr;
  auto folder = std::make_shared<StoredFolder>(std::move(name), state_->queue);
  folder->parent = stored;
  stored->subfolders.push_back(folder);
  return MakeFolderHandle(state_, folder);
}

void MemoryStore::SetDefaultFolder(std::int32_t folderType, const FolderPtr& folder) {
  if (StoredFolderPtr stored = Stored(folder)) {
    stored->folderType = folderType;
    state_->defaultFolders[folderType] = stored;
  }
}

StoredItemPtr MemoryStore::MakeMailRecord(NewMail mail) {
  auto item = std::make_shared<StoredItem>();
  item->kind = ItemKind::Mail;
  for (const char digit : std::to_string(++state_->lastEntryId)) item->entryId += digit;
  item->size = mail.size >= 0 ? mail.size : EstimatedSize(mail);
  item->subject = std::move(mail.subject);
  item->body = std::move(mail.body);
  item->htmlBody = std::move(mail.htmlBody);
  item->senderName = std::move(mail.sender);
  item->to = std::move(mail.to);
  item->recipientAddresses = std::move(mail.recipients);
  item->attachmentNames = std::move(mail.attachments);
  if (mail.receivedTime != 0) {
    item->receivedTime = mail.receivedTime;
  } else {
    item->receivedTime = state_->nextReceivedTime;
    state_->nextReceivedTime += kOneMinute;
  }
  item->importance = mail.importance;
  item->sensitivity = mail.sensitivity;
  item->unread = mail.unread;
  return item;
}

MailItemPtr MemoryStore::AddMail(const FolderPtr& folder, NewMail mail) {
  StoredFolderPtr stored = Stored(folder);
  if (!stored) return nullptr;
  StoredItemPtr item = MakeMailRecord(std::move(mail));
  AddItemToFolder(state_, item, stored, false);
  return MakeItemHandle(state_, item)->AsMailItem();
}

MailItemPtr MemoryStore::DeliverNewMail(NewMail mail) {
  return Deliver(Inbox(), std::move(mail));
}

MailItemPtr MemoryStore::Deliver(const FolderPtr& folder, NewMail mail) {
  StoredFolderPtr stored = Stored(folder);
  if (!stored) return nullptr;
  StoredItemPtr item = MakeMailRecord(std::move(mail));
  MailItemPtr handle = MakeItemHandle(state_, item)->AsMailItem();
  AddItemToFolder(state_, item, stored, true);
  return handle;
}

DispatchPtr MemoryStore::DeliverMeetingRequest(const FolderPtr& folder, std::u16string subject) {
  StoredFolderPtr stored = Stored(folder);
  if (!stored) return nullptr;
  auto item = std::make_shared<StoredItem>();
  item->kind = ItemKind::MeetingRequest;
  item->subject = std::move(subject);
  item->receivedTime = state_->nextReceivedTime;
  state_->nextReceivedTime += kOneMinute;
  DispatchPtr handle = MakeItemHandle(state_, item);
  AddItemToFolder(state_, item, stored, true);
  return handle;
}

TaskItemPtr MemoryStore::MakeTask(std::u16string subject, std::u16string reminderSoundFile) {
  auto item = std::make_shared<StoredItem>();
  item->kind = ItemKind::Task;
  item->subject = std::move(subject);
  item->reminderSoundFile = std::move(reminderSoundFile);
  return MakeItemHandle(state_, item)->AsTaskItem();
}

bool MemoryStore::UserMove(const DispatchPtr& item, const FolderPtr& destination) {
  StoredItemPtr stored = StoredItemHandle::RecordOf(item);
  StoredFolderPtr folder = Stored(destination);
  if (!stored || !folder) return false;
  return hr::Succeeded(MoveItemToFolder(state_, stored, folder));
}

void MemoryStore::SetSelection(const std::vector<DispatchPtr>& objects) {
  state_->selection.clear();
  for (const DispatchPtr& object : objects) {
    if (StoredItemPtr item = StoredItemHandle::RecordOf(object)) {
      state_->selection.push_back({item, nullptr});
    } else {
      state_->selection.push_back({nullptr, object});
    }
  }
}

void MemoryStore::SetCurrentFolder(const FolderPtr& folder) {
  state_->currentFolder = Stored(folder);
}

void MemoryStore::SetActiveExplorer(bool present) {
  state_->explorerPresent = present;
}

void MemoryStore::AddAddressList(std::u16string name, std::vector<StoredAddressEntry> entries) {
  state_->addressLists.push_back({std::move(name), std::move(entries)});
}

void MemoryStore::SetMenuBar(const std::vector<ControlKind>& controls) {
  static constexpr std::u16string_view kTitles[] = {u"&File",  u"&Edit",    u"&View", u"&Go",
                                                    u"&Tools", u"&Actions", u"&Help"};
  auto bar = std::make_shared<StoredCommandBar>();
  bar->name = u"Menu Bar";
  bar->visible = true;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    auto control = std::make_shared<StoredControl>(controls[i], state_->queue);
    if (i < std::size(kTitles)) control->caption = kTitles[i];
    bar->controls->push_back(control);
  }
  state_->menuBar = bar;
}

void MemoryStore::SetMenuBarPopups(int popups) {
  SetMenuBar(
      std::vector<ControlKind>(static_cast<std::size_t>(std::max(popups, 0)), ControlKind::Popup));
}

void MemoryStore::SetClipboard(Clipboard* clipboard) {
  state_->clipboard = clipboard;
}

void MemoryStore::FireReminder(const DispatchPtr& item) {
  state_->applicationSinks.Raise(dispid::kReminder, {item});
}

std::shared_ptr<MemoryPropertyPages> MemoryStore::FireOptionsPagesAdd() {
  auto pages = std::make_shared<MemoryPropertyPages>(state_);
  state_->applicationSinks.Raise(dispid::kOptionsPagesAdd, {pages});
  return pages;
}

bool MemoryStore::Click(std::u16string_view caption) {
  std::shared_ptr<StoredControl> button = Button(caption);
  if (!button) return false;
  Click(button);
  return true;
}

void MemoryStore::Click(const std::shared_ptr<StoredControl>& button) {
  if (!button) return;
  button->clickSinks.Raise(dispid::kClick, {MakeControlHandle(state_, button)});
}

PropertyPageSitePtr MemoryStore::PageSite() {
  return std::make_shared<MemoryPropertyPageSite>(state_);
}

FaultSwitches& MemoryStore::Faults() {
  return state_->faults;
}

EventQueue& MemoryStore::Events() {
  return *state_->queue;
}

const StoredItem* MemoryStore::Inspect(const DispatchPtr& item) {
  return StoredItemHandle::RecordOf(item).get();
}

std::vector<DispatchPtr> MemoryStore::ItemsIn(const FolderPtr& folder) {
  std::vector<DispatchPtr> items;
  if (StoredFolderPtr stored = Stored(folder)) {
    for (const auto& item : stored->items) items.push_back(MakeItemHandle(state_, item));
  }
  return items;
}

std::vector<std::u16string> MemoryStore::SubjectsIn(const FolderPtr& folder) {
  std::vector<std::u16string> subjects;
  if (StoredFolderPtr stored = Stored(folder)) {
    for (const auto& item : stored->items) subjects.push_back(item->subject);
  }
  return subjects;
}

int MemoryStore::ItemCount(const FolderPtr& folder) {
  StoredFolderPtr stored = Stored(folder);
  return stored ? static_cast<int>(stored->items.size()) : 0;
}

std::u16string MemoryStore::FolderNameOf(const DispatchPtr& item) {
  StoredItemPtr stored = StoredItemHandle::RecordOf(item);
  if (!stored) return {};
  StoredFolderPtr folder = stored->folder.lock();
  return folder ? folder->name : std::u16string();
}

std::size_t MemoryStore::FolderChangeSinks(const FolderPtr& parent) {
  StoredFolderPtr stored = Stored(parent);
  return stored ? stored->subfolderSinks.Count() : 0;
}

std::size_t MemoryStore::ItemAddSinks(const FolderPtr& folder) {
  StoredFolderPtr stored = Stored(folder);
  return stored ? stored->itemSinks.Count() : 0;
}

std::size_t MemoryStore::ApplicationSinks() {
  return state_->applicationSinks.Count();
}

const std::vector<std::shared_ptr<StoredCommandBar>>& MemoryStore::Toolbars() const {
  return state_->toolbars;
}

std::shared_ptr<StoredCommandBar> MemoryStore::Toolbar(std::u16string_view name) const {
  for (const auto& bar : state_->toolbars) {
    if (bar->name == name) return bar;
  }
  return nullptr;
}

std::shared_ptr<StoredCommandBar> MemoryStore::MenuBar() const {
  return state_->menuBar;
}

const std::vector<std::shared_ptr<StoredControl>>& MemoryStore::Buttons() const {
  return state_->buttons;
}

std::shared_ptr<StoredControl> MemoryStore::Button(std::u16string_view caption) const {
  for (const auto& button : state_->buttons) {
    if (button->caption == caption) return button;
  }
  return nullptr;
}

const std::vector<PageAdded>& MemoryStore::PagesAdded() const {
  return state_->pagesAdded;
}

int MemoryStore::StatusChanges() const {
  return state_->statusChanges;
}

}  // namespace skerrow
