#include "host/maildir/MaildirNameSpace.h"

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

}  // namespace

Result<FolderPtr> MaildirNameSpace::GetDefaultFolder(std::int32_t folderType) {
  if (folderType != olk::kFolderInbox) return Fail<FolderPtr>(hr::kInvalidArg);
  return Ok(context_->FolderHandle(context_->Tree().Inbox()));
}

Result<AddressListsPtr> MaildirNameSpace::GetAddressLists() {
  std::vector<AddressListPtr> lists;
  const std::string& dir = context_->ContactsDirectory();
  if (!dir.empty()) {
    // A file whose size and modification time are as when it was last
    // read is taken from the index, not read again.
    StoreIndex* index = context_->Catalog().Index();
    for (const std::string& name : MaildirFiles::ListFiles(dir)) {
      if (!IsVCardFile(name)) continue;
      const std::string path = dir + "/" + name;
      const auto stamp = MaildirFiles::Stat(path);
      if (!stamp.ok()) continue;
      if (index != nullptr) {
        if (auto cards = index->CachedCards(path, stamp.value)) {
          lists.push_back(std::make_shared<VCardAddressList>(*cards));
          continue;
        }
      }
      auto text = MaildirFiles::ReadAll(path);
      if (!text.ok()) continue;
      const std::vector<VCardEntry> cards = VCardReader::Parse(text.value);
      // A file changed in the last seconds is not kept: a second change in
      // the same tick of the file system's clock could leave size and time
      // as they were.
      if (index != nullptr && std::time(nullptr) - stamp.value.modified > 2) {
        index->CacheCards(path, stamp.value, cards);
      }
      lists.push_back(std::make_shared<VCardAddressList>(cards));
    }
  }
  return Ok<AddressListsPtr>(std::make_shared<FixedCollection<AddressLists, AddressList>>(lists));
}

}  // namespace skerrow::maildir
