// One item of the in-memory store as it is kept, whatever handles refer to it.
// Handles read and write these fields; tests inspect them through MemoryStore.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/MailHost.h"

namespace skerrow {

struct StoredFolder;

enum class ItemKind {
  Mail,            // has the mail-item face
  MeetingRequest,  // no face at all: not mail, not a task
  Task,            // the task-item face (ReminderSoundFile)
};

struct StoredItem {
  ItemKind kind = ItemKind::Mail;
  std::u16string entryId{};  // given by the store, unique among its items
  std::u16string subject{};
  std::u16string body{};
  std::u16string htmlBody{};
  std::u16string senderName{};
  std::u16string to{};
  std::vector<std::u16string> recipientAddresses{};
  std::vector<std::u16string> attachmentNames{};
  double receivedTime = 0;  // OLE automation date, local time
  std::int32_t size = 0;
  std::int32_t importance = olk::kImportanceNormal;
  std::int32_t sensitivity = olk::kSensitivityNormal;
  bool unread = true;
  std::u16string reminderSoundFile{};

  int saves = 0;                // successful Save calls
  bool unsavedChanges = false;  // a property was written since the last Save

  std::weak_ptr<StoredFolder> folder{};
};

using StoredItemPtr = std::shared_ptr<StoredItem>;

}  // namespace skerrow
