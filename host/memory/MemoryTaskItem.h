// A task item of the in-memory store: the face a reminder's item may have.
#pragma once

#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"
#include "host/memory/StoredItemHandle.h"

namespace skerrow {

class MemoryTaskItem : public TaskItem,
                       public StoredItemHandle,
                       public std::enable_shared_from_this<MemoryTaskItem> {
 public:
  MemoryTaskItem(std::shared_ptr<StoreState> state, StoredItemPtr item)
      : StoredItemHandle(std::move(item)), state_(std::move(state)) {}

  TaskItemPtr AsTaskItem() override { return shared_from_this(); }

  Result<std::u16string> ReminderSoundFile() override {
    if (HResult failure = state_->faults.Check("TaskItem.ReminderSoundFile"); hr::Failed(failure)) {
      return Fail<std::u16string>(failure);
    }
    return Ok(item_->reminderSoundFile);
  }

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
