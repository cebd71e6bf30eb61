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

// Whether the files to keep are the cached ones, with the same sizes and
// times: then the same cards, as those of a file are only ever kept with the
// stamp they were read at.
bool SameKeptFiles(const std::vector<CachedContactsFile>& files, const std::vector<bool>& kept,
                   const std::vector<CachedContactsFile>& cached) {
  auto next = cached.begin();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!kept[i]) continue;
    if (next == cached.end() || next->name != files[i].name || next->size != files[i].size ||
        next->modifiedNs != files[i].modifiedNs) {
      return false;
    }
    ++next;
  }
  return next == cached.end();
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
  std::vector<CachedContactsFile> files;
  // A file changed in the last seconds is not kept in the cache: a second
  // change in the same tick of the file system's clock could leave size and
  // time as they were.
  std::vector<bool> kept;
  const std::vector<StampedFile> listed = context_->ListContacts();
  files.reserve(listed.size());
  kept.reserve(listed.size());
  auto known = cached.begin();
  const std::time_t now = std::time(nullptr);
  for (const StampedFile& file : listed) {
    if (!IsVCardFile(file.name)) continue;
    while (known != cached.end() && known->name < file.name) ++known;
    CachedContactsFile current{file.name, file.stamp.size, file.stamp.modifiedNs, {}};
    if (known != cached.end() && known->name == file.name && known->size == current.size &&
        known->modifiedNs == current.modifiedNs) {
      current.cards = std::move(known->cards);  // the cache is compared by its stamps alone
    } else {
      auto text = MaildirFiles::ReadAll(dir + "/" + file.name);
      if (!text.ok()) continue;
      current.cards = VCardReader::Parse(text.value);
    }
    files.push_back(std::move(current));
    kept.push_back(now - file.stamp.modified > 2);
  }
  if (index != nullptr && !SameKeptFiles(files, kept, cached)) {
    std::vector<CachedContactsFile> keep;
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (kept[i]) keep.push_back(files[i]);
    }
    index->CacheAddressBook(dir, keep);
  }
  lists.reserve(files.size());
  for (CachedContactsFile& file : files) {
    lists.push_back(std::make_shared<VCardAddressList>(std::move(file.cards)));
  }
  return Ok<AddressListsPtr>(std::make_shared<FixedCollection<AddressLists, AddressList>>(lists));
}

}  // namespace skerrow::maildir
