#include "engine/AddressBook.h"

#include "base/ErrorLog.h"
#include "host/MailHost.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

constexpr int kPlaceAddressLists = 202101;
constexpr int kPlaceListCount = 202102;
constexpr int kPlaceList = 202103;
constexpr int kPlaceEntries = 202104;
constexpr int kPlaceEntryCount = 202105;
constexpr int kPlaceEntry = 202106;
constexpr int kPlaceName = 202107;
constexpr int kPlaceAddress = 202108;

}  // namespace

void AddressBook::TakeSnapshot(NameSpace& nameSpace, const CodePage& codePage,
                               const ErrorLog& log) {
  const Result<AddressListsPtr> lists = nameSpace.GetAddressLists();
  log.LogFailure(lists.status, kPlaceAddressLists);
  if (!lists.value) return;
  const Result<std::int32_t> listCount = lists.value->Count();
  log.LogFailure(listCount.status, kPlaceListCount);
  const std::size_t firstName = names_.size();
  const std::size_t firstAddress = addresses_.size();
  // Room for an entry a list at once (an address book of a file a contact
  // is thousands of lists of one), rather than through every size on the way.
  if (listCount.value > 0) {
    names_.reserve(firstName + static_cast<std::size_t>(listCount.value));
    addresses_.reserve(firstAddress + static_cast<std::size_t>(listCount.value));
  }

  for (std::int32_t listIndex = 1; listIndex <= listCount.value; ++listIndex) {
    const Result<AddressListPtr> list = lists.value->Item(listIndex);
    log.LogFailure(list.status, kPlaceList);
    if (!list.value) continue;
    const Result<AddressEntriesPtr> entries = list.value->GetAddressEntries();
    log.LogFailure(entries.status, kPlaceEntries);
    if (!entries.value) continue;
    const Result<std::int32_t> entryCount = entries.value->Count();
    log.LogFailure(entryCount.status, kPlaceEntryCount);

    for (std::int32_t entryIndex = 1; entryIndex <= entryCount.value; ++entryIndex) {
      const Result<AddressEntryPtr> entry = entries.value->Item(entryIndex);
      log.LogFailure(entry.status, kPlaceEntry);
      if (!entry.value) continue;
      const Result<std::u16string> name = entry.value->Name();
      log.LogFailure(name.status, kPlaceName);
      names_.push_back(codePage.ToNarrow(name.value).text);
      const Result<std::u16string> address = entry.value->Address();
      log.LogFailure(address.status, kPlaceAddress);
      addresses_.push_back(codePage.ToNarrow(address.value).text);
    }
  }
  // Upper-cased once all are taken, so that the set is made at its size
  // rather than grown through every size on the way.
  upperCased_.reserve(upperCased_.size() + names_.size() - firstName + addresses_.size() -
                      firstAddress);
  for (std::size_t i = firstName; i < names_.size(); ++i) {
    upperCased_.insert(codePage.ToUpper(names_[i]));
  }
  for (std::size_t i = firstAddress; i < addresses_.size(); ++i) {
    upperCased_.insert(codePage.ToUpper(addresses_[i]));
  }
}

bool AddressBook::Contains(std::string_view text, const CodePage& codePage) const {
  return upperCased_.count(codePage.ToUpper(text)) != 0;
}

}  // namespace skerrow
