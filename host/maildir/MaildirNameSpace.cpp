#include "host/maildir/MaildirNameSpace.h"

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
    for (const std::string& name : MaildirFiles::ListFiles(dir)) {
      if (!IsVCardFile(name)) continue;
      auto text = MaildirFiles::ReadAll(dir + "/" + name);
      if (!text.ok()) continue;
      lists.push_back(std::make_shared<VCardAddressList>(VCardReader::Parse(text.value)));
    }
  }
  return Ok<AddressListsPtr>(std::make_shared<FixedCollection<AddressLists, AddressList>>(lists));
}

}  // namespace skerrow::maildir
