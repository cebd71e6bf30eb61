// A recipient of a message file: one address of its To, Cc or Bcc fields.
#pragma once

#include "host/MailHost.h"

namespace skerrow::maildir {

class MaildirRecipient final : public Recipient {
 public:
  explicit MaildirRecipient(std::u16string address) : address_(std::move(address)) {}
  Result<std::u16string> Address() override { return Ok(address_); }

 private:
  std::u16string address_;
};

}  // namespace skerrow::maildir
