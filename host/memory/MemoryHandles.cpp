#include "host/memory/MemoryHandles.h"

#include "host/memory/MemoryCommandBarButton.h"
#include "host/memory/MemoryCommandBarPopup.h"
#include "host/memory/MemoryFolder.h"
#include "host/memory/MemoryMailItem.h"
#include "host/memory/MemoryPlainItem.h"
#include "host/memory/MemoryTaskItem.h"

namespace skerrow {

namespace {

// A control of a type the store does not model: it has no face.
class PlainControl : public Dispatch {};

}  // namespace

DispatchPtr MakeItemHandle(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item) {
  if (!item) return nullptr;
  switch (item->kind) {
    case ItemKind::Mail:
      return std::make_shared<MemoryMailItem>(state, item);
    case ItemKind::Task:
      return std::make_shared<MemoryTaskItem>(state, item);
    case ItemKind::MeetingRequest:
      break;
  }
  return std::make_shared<MemoryPlainItem>(item);
}

FolderPtr MakeFolderHandle(const std::shared_ptr<StoreState>& state,
                           const StoredFolderPtr& folder) {
  if (!folder) return nullptr;
  return std::make_shared<MemoryFolder>(state, folder);
}

DispatchPtr MakeControlHandle(const std::shared_ptr<StoreState>& state,
                              const std::shared_ptr<StoredControl>& control) {
  if (!control) return nullptr;
  switch (control->kind) {
    case ControlKind::Button:
      return std::make_shared<MemoryCommandBarButton>(state, control);
    case ControlKind::Popup:
      return std::make_shared<MemoryCommandBarPopup>(state, control);
    case ControlKind::Other:
      break;
  }
  return std::make_shared<PlainControl>();
}

StoredFolderPtr StoredFolderOf(const StoreState& state, const FolderPtr& folder) {
  auto* handle = dynamic_cast<MemoryFolder*>(folder.get());
  if (handle == nullptr || handle->State().get() != &state) return nullptr;
  return handle->Record();
}

}  // namespace skerrow
