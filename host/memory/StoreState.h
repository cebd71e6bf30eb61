// Everything one in-memory store holds, shared by the MemoryStore facade and
// every handle it gives out, so that handles stay valid after the facade is
// gone. Nothing here holds a handle: handles hold the state, never the
// reverse, so no reference cycle keeps a store alive.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/EventQueue.h"
#include "host/memory/FaultSwitches.h"
#include "host/memory/StoredControl.h"
#include "host/memory/StoredFolder.h"
#include "platform/Platform.h"

namespace skerrow {

struct StoredAddressEntry {
  std::u16string name{};
  std::u16string address{};
};

struct StoredAddressList {
  std::u16string name{};
  std::vector<StoredAddressEntry> entries{};
};

struct PageAdded {
  std::u16string progId{};
  std::u16string title{};
  bool operator==(const PageAdded&) const = default;
};

// A selected object: an item of the store, or any other object a test put in
// the selection.
struct SelectedObject {
  StoredItemPtr item{};
  DispatchPtr foreign{};
};

struct StoreState {
  StoreState();

  std::shared_ptr<EventQueue> queue = std::make_shared<EventQueue>();
  FaultSwitches faults{};
  StoredFolderPtr root{};
  std::map<std::int32_t, std::weak_ptr<StoredFolder>> defaultFolders{};

  bool explorerPresent = true;
  std::weak_ptr<StoredFolder> currentFolder{};
  std::vector<SelectedObject> selection{};

  std::vector<StoredAddressList> addressLists{};

  std::vector<std::shared_ptr<StoredCommandBar>> toolbars{};
  std::shared_ptr<StoredCommandBar> menuBar = std::make_shared<StoredCommandBar>();
  std::vector<std::shared_ptr<StoredControl>> buttons{};  // every button made, in order
  Clipboard* clipboard = nullptr;                         // not owned

  EventQueue::SinkList applicationSinks;
  std::vector<PageAdded> pagesAdded{};
  int statusChanges = 0;

  double nextReceivedTime = 0;
  std::uint64_t lastEntryId = 0;  // entry ids are never reused within a store
};

}  // namespace skerrow
