// The address lists: one for each vCard file of the contacts folder, with an
// entry for each of its cards, over the address book's record as read when
// the lists were asked for. The lists do not change; their objects are made
// when asked for, as the snapshot takes each once, so that thousands of
// contacts are not thousands of objects held for the whole command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/maildir/ContactsRecord.h"
#include "host/maildir/MaildirStatus.h"
#include "host/maildir/VCardAddressEntry.h"

namespace skerrow::maildir {

class VCardAddressEntries final : public AddressEntries {
 public:
  VCardAddressEntries(std::shared_ptr<const ContactsRecord> book, std::size_t file)
      : book_(std::move(book)), file_(book_->Files()[file]) {}

  Result<std::int32_t> Count() override { return Ok(static_cast<std::int32_t>(file_.cardCount)); }
  // 1-based; one outside 1..Count fails with kBadIndex.
  Result<AddressEntryPtr> Item(std::int32_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > file_.cardCount) {
      return Fail<AddressEntryPtr>(kBadIndex);
    }
    return Ok<AddressEntryPtr>(std::make_shared<VCardAddressEntry>(
        book_, file_.firstCard + static_cast<std::size_t>(index) - 1));
  }

 private:
  std::shared_ptr<const ContactsRecord> book_;
  const ContactsRecord::File& file_;  // in book_
};

class VCardAddressList final : public AddressList {
 public:
  VCardAddressList(std::shared_ptr<const ContactsRecord> book, std::size_t file)
      : book_(std::move(book)), file_(file) {}

  Result<AddressEntriesPtr> GetAddressEntries() override {
    return Ok<AddressEntriesPtr>(std::make_shared<VCardAddressEntries>(book_, file_));
  }

 private:
  std::shared_ptr<const ContactsRecord> book_;
  std::size_t file_;
};

class VCardAddressLists final : public AddressLists {
 public:
  explicit VCardAddressLists(std::shared_ptr<const ContactsRecord> book) : book_(std::move(book)) {}

  Result<std::int32_t> Count() override {
    return Ok(static_cast<std::int32_t>(book_->Files().size()));
  }
  // 1-based; one outside 1..Count fails with kBadIndex.
  Result<AddressListPtr> Item(std::int32_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > book_->Files().size()) {
      return Fail<AddressListPtr>(kBadIndex);
    }
    return Ok<AddressListPtr>(
        std::make_shared<VCardAddressList>(book_, static_cast<std::size_t>(index) - 1));
  }

 private:
  std::shared_ptr<const ContactsRecord> book_;
};

}  // namespace skerrow::maildir
