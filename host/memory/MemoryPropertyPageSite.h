// The client's side of an options page in the in-memory store: counts the
// status changes that would enable the Apply button.
#pragma once

#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryPropertyPageSite : public PropertyPageSite {
 public:
  explicit MemoryPropertyPageSite(std::shared_ptr<StoreState> state) : state_(std::move(state)) {}

  HResult OnStatusChange() override {
    if (HResult failure = state_->faults.Check("PropertyPageSite.OnStatusChange");
        hr::Failed(failure)) {
      return failure;
    }
    ++state_->statusChanges;
    return hr::kOk;
  }

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
