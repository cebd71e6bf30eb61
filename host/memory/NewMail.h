// What a test says about a mail item it puts into the in-memory store. Every
// field may be left out (designated initializers).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/MailHost.h"

namespace skerrow {

struct NewMail {
  std::u16string subject{};
  std::u16string body{};
  std::u16string htmlBody{};
  std::u16string sender{};                    // SenderName
  std::u16string to{};                        // the To line
  std::vector<std::u16string> recipients{};   // their addresses
  std::vector<std::u16string> attachments{};  // their file names
  double receivedTime = 0;                    // OLE date; 0: the store's clock
  std::int32_t size = -1;                     // bytes; -1: estimated from the texts
  std::int32_t importance = olk::kImportanceNormal;
  std::int32_t sensitivity = olk::kSensitivityNormal;
  bool unread = true;
};

}  // namespace skerrow
