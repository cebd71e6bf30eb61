// One attachment of a mail item of the in-memory store: only its file name.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryAttachment : public Attachment {
 public:
  MemoryAttachment(std::shared_ptr<StoreState> state, std::u16string fileName)
      : state_(std::move(state)), fileName_(std::move(fileName)) {}

  Result<std::u16string> FileName() override {
    if (HResult failure = state_->faults.Check("Attachment.FileName"); hr::Failed(failure)) {
      return Fail<std::u16string>(failure);
    }
    return Ok(fileName_);
  }

 private:
  std::shared_ptr<StoreState> state_;
  std::u16string fileName_;
};

}  // namespace skerrow
