// One entry of an address list read from a vCard file.
#pragma once

#include "host/MailHost.h"
#include "host/maildir/VCardReader.h"

namespace skerrow::maildir {

class VCardAddressEntry final : public AddressEntry {
 public:
  explicit VCardAddressEntry(VCardEntry entry) : entry_(std::move(entry)) {}

  Result<std::u16string> Name() override { return Ok(entry_.name); }
  Result<std::u16string> Address() override { return Ok(entry_.address); }

 private:
  VCardEntry entry_;
};

}  // namespace skerrow::maildir
