#include "host/maildir/MaildirNameSpace.h"

#include <algorithm>
#include <ctime>

#include "host/maildir/FixedCollection.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/StoreContext.h"
#include "host/maildir/VCardAddressList.h"
#include "host/maildir/VCardReader.h"

namespace skerrow::maildir {

namespace {

bool IsVCardFile(const std::string& name) {
  if (name.size() < 4) return false;
  std::string suffix = name.substr(name.size() - 4);
  for (char& c : suffix) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return suffix == ".vcf";
}

// The same files with the same sizes and times: then the same cards, as
// those of a file are only ever kept with the stamp they were read at.
bool SameFiles(const std::vector<CachedContactsFile>& a, const std::vector<CachedContactsFile>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.name == y.name && x.size == y.size && x.modifiedNs == y.modifiedNs;
  });
}

}  // namespace

Result<FolderPtr> MaildirNameSpace::GetDefaultFolder(std::int32_t folderType) {
  if (folderType != olk::kFolderInbox) return Fail<FolderPtr>(hr::kInvalidArg);
  return Ok(context_->FolderHandle(context_->Tree().Inbox()));
}

Result<AddressListsPtr> MaildirNameSpace::GetAddressLists() {
  std::vector<AddressListPtr> lists;
  const std::string& dir = context_->ContactsDirectory();
  if (dir.empty()) {
    return Ok<AddressListsPtr>(std::make_shared<FixedCollection<AddressLists, AddressList>>(lists));
  }
  // A file whose size and modification time are as when it was last read
  // is taken from the index, not read again.
  StoreIndex* index = context_->Catalog().Index();
  std::vector<CachedContactsFile> cached =
      index != nullptr ? index->CachedAddressBook(dir) : std::vector<CachedContactsFile>();
  std::vector<CachedContactsFile> kept;
  auto known = cached.begin();
  const std::time_t now = std::time(nullptr);
  for (const StampedFile& file : context_->ListContacts()) {
    if (!IsVCardFile(file.name)) continue;
    while (known != cached.end() && known->name < file.name) ++known;
    CachedContactsFile current{file.name, file.stamp.size, file.stamp.modifiedNs, {}};
    if (known != cached.end() && known->name == file.name && known->size == current.size &&
        known->modifiedNs == current.modifiedNs) {
      current.cards = std::move(known->cards);  // only the stamps are compared below
    } else {
      auto text = MaildirFiles::ReadAll(dir + "/" + file.name);
      if (!text.ok()) continue;
      current.cards = VCardReader::Parse(text.value);
    }
    lists.push_back(std::make_shared<VCardAddressList>(current.cards));
    // A file changed in the last seconds is not kept: a second change in
    // the same tick of the file system's clock could leave size and time
    // as they were.
    if (now - file.stamp.modified > 2) kept.push_back(std::move(current));
  }
  if (index != nullptr && !SameFiles(kept, cached)) index->CacheAddressBook(dir, kept);
  return Ok<AddressListsPtr>(std::make_shared<FixedCollection<AddressLists, AddressList>>(lists));
}

}  // namespace skerrow::maildir
