// The in-memory mail store: a complete mail host for tests, evaluation and
// benchmarks, with scene-setting and inspection helpers and a failure switch
// per operation (FaultSwitches.h).
//
//   MemoryStore store;  // "Personal Folders" with Inbox, Deleted Items, Sent Items
//   FolderPtr junk = store.AddFolder(u"Junk E-mail");
//   MailItemPtr mail = store.DeliverNewMail({.subject = u"Hello", .sender = u"Ann"});
//   store.UserMove(mail, junk);
//   store.SetSelection({mail});
//   store.SetCurrentFolder(junk);
//
// Events are the client's: the Application raises Reminder and
// OptionsPagesAdd (FireReminder, FireOptionsPagesAdd); a folder's Folders
// raises FolderChange for a subfolder whose item count changed; a folder's
// Items raises ItemAdd for an item added to it. A move raises FolderChange for
// the source, then for the destination, then ItemAdd on the destination;
// delivery raises FolderChange then ItemAdd. What a handler causes is queued
// and delivered after it returns. Helpers called from inside a handler queue
// their events the same way.
//
// Handles stay valid after the store object is gone; the store's contents
// live as long as any handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/MailHost.h"
#include "host/memory/FaultSwitches.h"
#include "host/memory/MemoryPropertyPages.h"
#include "host/memory/NewMail.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryStore {
 public:
  // Folder types of the default folders besides the Inbox.
  static constexpr std::int32_t kFolderDeletedItems = 3;  // olFolderDeletedItems
  static constexpr std::int32_t kFolderSentMail = 5;      // olFolderSentMail

  // A root "Personal Folders" whose folders are "Inbox", "Deleted Items" and
  // "Sent Items" (the default folders of their types); an active explorer
  // showing the Inbox with nothing selected; a menu bar of seven popups; no
  // address lists; no clipboard.
  MemoryStore();
  ~MemoryStore();
  MemoryStore(const MemoryStore&) = delete;
  MemoryStore& operator=(const MemoryStore&) = delete;

  // --- What the core is given ---
  ApplicationPtr GetApplication();
  FolderPtr Root();
  FolderPtr Inbox();
  // A top-level folder by exact name, or null.
  FolderPtr TopFolder(std::u16string_view name);

  // --- Setting the scene (no fault switch applies; no events unless said) ---
  // A new top-level folder, or a subfolder of `parent`. Null when a sibling
  // has the name already (ignoring case).
  FolderPtr AddFolder(std::u16string name);
  FolderPtr AddFolder(const FolderPtr& parent, std::u16string name);
  void SetDefaultFolder(std::int32_t folderType, const FolderPtr& folder);

  // A mail item that was in the folder before anyone watched: no events.
  MailItemPtr AddMail(const FolderPtr& folder, NewMail mail);
  // New mail arriving in the Inbox: FolderChange (Inbox), then ItemAdd.
  MailItemPtr DeliverNewMail(NewMail mail);
  // New mail arriving in any folder (an inbox rule), with its events.
  MailItemPtr Deliver(const FolderPtr& folder, NewMail mail);
  // A meeting request (an item with no mail face) arriving in the folder,
  // with its events.
  DispatchPtr DeliverMeetingRequest(const FolderPtr& folder, std::u16string subject);
  // A task item in no folder, for reminders.
  TaskItemPtr MakeTask(std::u16string subject, std::u16string reminderSoundFile);

  // The user drags an item into a folder: the events of a move. False when
  // the item or folder is not of this store or the item is in no folder.
  bool UserMove(const DispatchPtr& item, const FolderPtr& destination);

  // Items of this store are kept by reference; other objects as they are.
  void SetSelection(const std::vector<DispatchPtr>& objects);
  void SetCurrentFolder(const FolderPtr& folder);
  // Without an explorer, ActiveExplorer succeeds with none.
  void SetActiveExplorer(bool present);
  void AddAddressList(std::u16string name, std::vector<StoredAddressEntry> entries);
  // Replaces the menu bar's controls, e.g. five popups and a button.
  void SetMenuBar(const std::vector<ControlKind>& controls);
  // A menu bar of that many popups (the store starts with seven).
  void SetMenuBarPopups(int popups);
  // The clipboard PasteFace takes bitmaps from; not owned, may be null.
  void SetClipboard(Clipboard* clipboard);

  // --- Firing events ---
  void FireReminder(const DispatchPtr& item);
  // The pages object the handlers were given (see its Added()).
  std::shared_ptr<MemoryPropertyPages> FireOptionsPagesAdd();
  // Clicks the first button with this caption; false when there is none.
  bool Click(std::u16string_view caption);
  void Click(const std::shared_ptr<StoredControl>& button);
  PropertyPageSitePtr PageSite();

  // --- Inspection ---
  FaultSwitches& Faults();
  EventQueue& Events();
  // The stored item behind a handle of this store, or null.
  static const StoredItem* Inspect(const DispatchPtr& item);
  std::vector<DispatchPtr> ItemsIn(const FolderPtr& folder);
  std::vector<std::u16string> SubjectsIn(const FolderPtr& folder);
  int ItemCount(const FolderPtr& folder);
  // The name of the folder the item is in, or empty.
  std::u16string FolderNameOf(const DispatchPtr& item);
  std::size_t FolderChangeSinks(const FolderPtr& parent);  // of parent's Folders
  std::size_t ItemAddSinks(const FolderPtr& folder);
  std::size_t ApplicationSinks();

  const std::vector<std::shared_ptr<StoredCommandBar>>& Toolbars() const;
  // The first toolbar of that name, or null.
  std::shared_ptr<StoredCommandBar> Toolbar(std::u16string_view name) const;
  std::shared_ptr<StoredCommandBar> MenuBar() const;
  // Every button made, toolbar and menu, in order of creation.
  const std::vector<std::shared_ptr<StoredControl>>& Buttons() const;
  // The first button with this caption, or null.
  std::shared_ptr<StoredControl> Button(std::u16string_view caption) const;
  const std::vector<PageAdded>& PagesAdded() const;
  int StatusChanges() const;

 private:
  StoredFolderPtr Stored(const FolderPtr& folder) const;
  StoredItemPtr MakeMailRecord(NewMail mail);

  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
