#include "host/memory/MemoryApplication.h"

#include <utility>

#include "host/SubjectFilter.h"
#include "host/memory/MemoryExplorer.h"
#include "host/memory/MemoryNameSpace.h"

namespace skerrow {

MemoryApplication::MemoryApplication(std::shared_ptr<StoreState> state)
    : state_(std::move(state)) {}

Result<ExplorerPtr> MemoryApplication::ActiveExplorer() {
  if (HResult failure = state_->faults.Check("Application.ActiveExplorer"); hr::Failed(failure)) {
    return Fail<ExplorerPtr>(failure);
  }
  if (!state_->explorerPresent) return Ok<ExplorerPtr>(nullptr);
  return Ok<ExplorerPtr>(std::make_shared<MemoryExplorer>(state_));
}

Result<NameSpacePtr> MemoryApplication::GetNamespace(const std::u16string& type) {
  if (HResult failure = state_->faults.Check("Application.GetNamespace"); hr::Failed(failure)) {
    return Fail<NameSpacePtr>(failure);
  }
  if (type.size() != 4 || SubjectFilter::Compare(type, u"MAPI") != 0) {
    return Fail<NameSpacePtr>(hr::kInvalidArg);
  }
  return Ok<NameSpacePtr>(std::make_shared<MemoryNameSpace>(state_));
}

Result<std::uint32_t> MemoryApplication::Advise(EventInterface iface, EventSink* sink) {
  if (HResult failure = state_->faults.Check("Application.Advise"); hr::Failed(failure)) {
    return Fail<std::uint32_t>(failure);
  }
  return state_->applicationSinks.Advise(iface, sink);
}

HResult MemoryApplication::Unadvise(std::uint32_t cookie) {
  if (HResult failure = state_->faults.Check("Application.Unadvise"); hr::Failed(failure)) {
    return failure;
  }
  return state_->applicationSinks.Unadvise(cookie);
}

}  // namespace skerrow
