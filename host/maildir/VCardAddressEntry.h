// One entry of an address list: a card of the address book's record, its
// texts decoded when they are asked for.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/maildir/ContactsRecord.h"

namespace skerrow::maildir {

class VCardAddressEntry final : public AddressEntry {
 public:
  VCardAddressEntry(std::shared_ptr<const ContactsRecord> book, std::size_t card)
      : book_(std::move(book)), card_(card) {}

  Result<std::u16string> Name() override { return Ok(book_->CardName(card_)); }
  Result<std::u16string> Address() override { return Ok(book_->CardAddress(card_)); }

 private:
  std::shared_ptr<const ContactsRecord> book_;
  std::size_t card_;
};

}  // namespace skerrow::maildir
