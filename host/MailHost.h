// The mail host interface: exactly the operations of the mail client's object
// model that the add-in uses. One implementation per home: the in-memory store
// (tests), the Maildir store (Linux) and the COM adapters (inside Outlook).
//
// Contract for every implementation:
// - Each operation returns its status and its value; on failure the value is
//   empty (null handle, empty string, 0) and the caller goes on.
// - Collection indexes are 1-based.
// - Handles are reference counted; callers drop them as soon as a step is done.
// - Events are delivered on one thread, one at a time. What a handler causes
//   (a move raising FolderChange or ItemAdd) is queued and delivered after the
//   running handler returns, in order. For one move the folder events come
//   first (source, then destination) and the Inbox's ItemAdd last.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"

namespace skerrow {

class Dispatch;
class Application;
class Explorer;
class Selection;
class NameSpace;
class AddressLists;
class AddressList;
class AddressEntries;
class AddressEntry;
class Folder;
class Folders;
class Items;
class MailItem;
class TaskItem;
class Recipients;
class Recipient;
class Attachments;
class Attachment;
class CommandBars;
class CommandBar;
class CommandBarControls;
class CommandBarButton;
class CommandBarPopup;
class PropertyPages;
class PropertyPageSite;

using DispatchPtr = std::shared_ptr<Dispatch>;
using ApplicationPtr = std::shared_ptr<Application>;
using ExplorerPtr = std::shared_ptr<Explorer>;
using SelectionPtr = std::shared_ptr<Selection>;
using NameSpacePtr = std::shared_ptr<NameSpace>;
using AddressListsPtr = std::shared_ptr<AddressLists>;
using AddressListPtr = std::shared_ptr<AddressList>;
using AddressEntriesPtr = std::shared_ptr<AddressEntries>;
using AddressEntryPtr = std::shared_ptr<AddressEntry>;
using FolderPtr = std::shared_ptr<Folder>;
using FoldersPtr = std::shared_ptr<Folders>;
using ItemsPtr = std::shared_ptr<Items>;
using MailItemPtr = std::shared_ptr<MailItem>;
using TaskItemPtr = std::shared_ptr<TaskItem>;
using RecipientsPtr = std::shared_ptr<Recipients>;
using RecipientPtr = std::shared_ptr<Recipient>;
using AttachmentsPtr = std::shared_ptr<Attachments>;
using AttachmentPtr = std::shared_ptr<Attachment>;
using CommandBarsPtr = std::shared_ptr<CommandBars>;
using CommandBarPtr = std::shared_ptr<CommandBar>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;
using CommandBarButtonPtr = std::shared_ptr<CommandBarButton>;
using CommandBarPopupPtr = std::shared_ptr<CommandBarPopup>;
using PropertyPagesPtr = std::shared_ptr<PropertyPages>;
using PropertyPageSitePtr = std::shared_ptr<PropertyPageSite>;

// Values of the object model that the add-in passes or compares.
namespace olk {
inline constexpr std::int32_t kFolderInbox = 6;          // olFolderInbox
inline constexpr std::int32_t kFolderDrafts = 16;        // olFolderDrafts: a folder of mail items
inline constexpr std::int32_t kSensitivityNormal = 0;    // olNormal
inline constexpr std::int32_t kSensitivityPersonal = 1;  // olPersonal
inline constexpr std::int32_t kSensitivityPrivate = 2;   // olPrivate
inline constexpr std::int32_t kSensitivityConfidential = 3;
inline constexpr std::int32_t kImportanceLow = 0;
inline constexpr std::int32_t kImportanceNormal = 1;
inline constexpr std::int32_t kImportanceHigh = 2;
inline constexpr std::int32_t kBarTop = 1;                // msoBarTop
inline constexpr std::int32_t kControlButton = 1;         // msoControlButton
inline constexpr std::int32_t kButtonIconAndCaption = 3;  // msoButtonIconAndCaption
}  // namespace olk

// The event source interfaces of the routing table, by their interface ids.
enum class EventInterface {
  CommandBarButtonEvents,  // {000C0351-0000-0000-C000-000000000046}
  ApplicationEvents,       // {0006304E-0000-0000-C000-000000000046}
  FoldersEvents,           // {00063076-0000-0000-C000-000000000046}
  ItemsEvents,             // {00063077-0000-0000-C000-000000000046}
};

const char* EventInterfaceId(EventInterface iface);

namespace dispid {
inline constexpr std::int32_t kClick = 1;
inline constexpr std::int32_t kItemAdd = 0xF001;
inline constexpr std::int32_t kFolderChange = 0xF002;
inline constexpr std::int32_t kReminder = 0xF004;
inline constexpr std::int32_t kOptionsPagesAdd = 0xF005;
}  // namespace dispid

// The receiving end of one subscription, like an IDispatch event sink. Args
// are the event's object parameters in order (Click: the control; ItemAdd: the
// item; FolderChange: the folder; Reminder: the item; OptionsPagesAdd: the
// pages). The source never calls a sink after Unadvise returned.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Invoke(EventInterface iface, std::int32_t dispId,
                      const std::vector<DispatchPtr>& args) = 0;
};

// An object that raises events of one interface. The sink is not owned; it
// must stay alive until Unadvise.
class EventSource {
 public:
  virtual ~EventSource() = default;
  virtual Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) = 0;
  virtual HResult Unadvise(std::uint32_t cookie) = 0;
};

// Any object of the model. The face queries answer empty when the object does
// not have that face (a meeting request has no mail-item face).
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  virtual ApplicationPtr AsApplication() { return nullptr; }
  virtual MailItemPtr AsMailItem() { return nullptr; }
  virtual TaskItemPtr AsTaskItem() { return nullptr; }
  virtual FolderPtr AsFolder() { return nullptr; }
  virtual CommandBarButtonPtr AsCommandBarButton() { return nullptr; }
  virtual CommandBarPopupPtr AsCommandBarPopup() { return nullptr; }
  virtual PropertyPagesPtr AsPropertyPages() { return nullptr; }
};

class Application : public virtual Dispatch, public EventSource {
 public:
  virtual Result<ExplorerPtr> ActiveExplorer() = 0;  // may succeed with none
  virtual Result<NameSpacePtr> GetNamespace(const std::u16string& type) = 0;
};

class Explorer : public virtual Dispatch {
 public:
  virtual Result<CommandBarsPtr> GetCommandBars() = 0;
  virtual Result<FolderPtr> CurrentFolder() = 0;
  virtual Result<SelectionPtr> GetSelection() = 0;
};

class Selection : public virtual Dispatch {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<DispatchPtr> Item(std::int32_t index) = 0;  // may be other than mail
};

class NameSpace : public virtual Dispatch {
 public:
  virtual Result<FolderPtr> GetDefaultFolder(std::int32_t folderType) = 0;
  virtual Result<AddressListsPtr> GetAddressLists() = 0;
};

class AddressLists : public virtual Dispatch {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<AddressListPtr> Item(std::int32_t index) = 0;
};

class AddressList : public virtual Dispatch {
 public:
  virtual Result<AddressEntriesPtr> GetAddressEntries() = 0;
};

class AddressEntries : public virtual Dispatch {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<AddressEntryPtr> Item(std::int32_t index) = 0;
};

class AddressEntry : public virtual Dispatch {
 public:
  virtual Result<std::u16string> Name() = 0;
  virtual Result<std::u16string> Address() = 0;
};

// MAPIFolder.
class Folder : public virtual Dispatch {
 public:
  virtual Result<DispatchPtr> Parent() = 0;
  virtual Result<FoldersPtr> GetFolders() = 0;
  virtual Result<ItemsPtr> GetItems() = 0;
  virtual Result<std::u16string> Name() = 0;
  virtual HResult SetName(const std::u16string& name) = 0;  // may fail
};

// A folder's subfolders; raises FolderChange (FoldersEvents).
class Folders : public virtual Dispatch, public EventSource {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<FolderPtr> Item(std::int32_t index) = 0;
  virtual Result<FolderPtr> Add(const std::u16string& name, std::int32_t folderType) = 0;
};

// A folder's items; raises ItemAdd (ItemsEvents). Restrict returns the
// matching items as they are at the call: changing an item afterwards neither
// adds it to nor removes it from the result.
class Items : public virtual Dispatch, public EventSource {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<ItemsPtr> Restrict(const std::u16string& filter) = 0;
  virtual Result<DispatchPtr> GetFirst() = 0;
  virtual Result<DispatchPtr> GetNext() = 0;
};

class MailItem : public virtual Dispatch {
 public:
  virtual Result<std::u16string> Subject() = 0;
  virtual HResult SetSubject(const std::u16string& subject) = 0;
  virtual Result<std::u16string> Body() = 0;
  virtual Result<std::u16string> HTMLBody() = 0;
  virtual HResult SetHTMLBody(const std::u16string& html) = 0;
  virtual Result<std::u16string> SenderName() = 0;
  virtual Result<std::u16string> To() = 0;
  virtual Result<RecipientsPtr> GetRecipients() = 0;
  virtual Result<AttachmentsPtr> GetAttachments() = 0;
  // An OLE automation date in local time (days since 1899-12-30).
  virtual Result<double> ReceivedTime() = 0;
  virtual Result<std::int32_t> Size() = 0;
  virtual Result<std::int32_t> Importance() = 0;
  virtual Result<std::int32_t> Sensitivity() = 0;
  virtual HResult SetUnRead(bool unread) = 0;
  virtual HResult Save() = 0;  // persists the written properties
  // Moves the item; the result is the item in its new folder.
  virtual Result<DispatchPtr> Move(const FolderPtr& destination) = 0;
  // The item's stable identity within its store: the same for every handle
  // of the item and after a move, never shared with another item.
  virtual Result<std::u16string> EntryID() = 0;
};

class TaskItem : public virtual Dispatch {
 public:
  virtual Result<std::u16string> ReminderSoundFile() = 0;
};

class Recipients : public virtual Dispatch {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<RecipientPtr> Item(std::int32_t index) = 0;
};

class Recipient : public virtual Dispatch {
 public:
  virtual Result<std::u16string> Address() = 0;
};

class Attachments : public virtual Dispatch {
 public:
  virtual Result<std::int32_t> Count() = 0;
  virtual Result<AttachmentPtr> Item(std::int32_t index) = 0;
};

class Attachment : public virtual Dispatch {
 public:
  virtual Result<std::u16string> FileName() = 0;
};

class CommandBars : public virtual Dispatch {
 public:
  virtual Result<CommandBarPtr> Add(const std::u16string& name, std::int32_t position,
                                    bool temporary) = 0;
  virtual Result<CommandBarPtr> ActiveMenuBar() = 0;
};

class CommandBar : public virtual Dispatch {
 public:
  virtual Result<CommandBarControlsPtr> Controls() = 0;
  virtual HResult SetVisible(bool visible) = 0;
};

class CommandBarControls : public virtual Dispatch {
 public:
  virtual Result<DispatchPtr> Add(std::int32_t type, bool temporary) = 0;
  virtual Result<DispatchPtr> Item(std::int32_t index) = 0;
};

// Raises Click (CommandBarButtonEvents).
class CommandBarButton : public virtual Dispatch, public EventSource {
 public:
  virtual HResult SetStyle(std::int32_t style) = 0;
  virtual HResult PasteFace() = 0;  // takes the bitmap on the clipboard
  virtual HResult SetCaption(const std::u16string& caption) = 0;
  virtual HResult SetEnabled(bool enabled) = 0;
  virtual HResult SetVisible(bool visible) = 0;
  virtual HResult SetTooltipText(const std::u16string& text) = 0;
  virtual HResult SetTag(const std::u16string& tag) = 0;
};

class CommandBarPopup : public virtual Dispatch {
 public:
  virtual Result<CommandBarControlsPtr> Controls() = 0;
};

class PropertyPages : public virtual Dispatch {
 public:
  virtual HResult Add(const std::u16string& progId, const std::u16string& title) = 0;
};

class PropertyPageSite : public virtual Dispatch {
 public:
  virtual HResult OnStatusChange() = 0;  // enables the client's Apply button
};

}  // namespace skerrow
