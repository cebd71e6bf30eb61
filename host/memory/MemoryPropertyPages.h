// The pages collection handed to an OptionsPagesAdd handler; records each Add.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryPropertyPages : public PropertyPages,
                            public std::enable_shared_from_this<MemoryPropertyPages> {
 public:
  explicit MemoryPropertyPages(std::shared_ptr<StoreState> state) : state_(std::move(state)) {}

  PropertyPagesPtr AsPropertyPages() override { return shared_from_this(); }

  HResult Add(const std::u16string& progId, const std::u16string& title) override {
    if (HResult failure = state_->faults.Check("PropertyPages.Add"); hr::Failed(failure)) {
      return failure;
    }
    added_.push_back({progId, title});
    state_->pagesAdded.push_back({progId, title});
    return hr::kOk;
  }

  // The pages added to this collection, in order.
  const std::vector<PageAdded>& Added() const { return added_; }

 private:
  std::shared_ptr<StoreState> state_;
  std::vector<PageAdded> added_;
};

}  // namespace skerrow
