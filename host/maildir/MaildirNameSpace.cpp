#include "host/maildir/MaildirNameSpace.h"

#include <algorithm>
#include <ctime>

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
bool SameKeptFiles(const ContactsRecord& current, const std::vector<bool>& kept,
                   const ContactsRecord& cached) {
  auto next = cached.Files().begin();
  for (std::size_t i = 0; i < current.Files().size(); ++i) {
    if (!kept[i]) continue;
    const ContactsRecord::File& file = current.Files()[i];
    if (next == cached.Files().end() || next->name != file.name || next->size != file.size ||
        next->modifiedNs != file.modifiedNs) {
      return false;
    }
    ++next;
  }
  return next == cached.Files().end();
}

}  // namespace

Result<FolderPtr> MaildirNameSpace::GetDefaultFolder(std::int32_t folderType) {
  if (folderType != olk::kFolderInbox) return Fail<FolderPtr>(hr::kInvalidArg);
  return Ok(context_->FolderHandle(context_->Tree().Inbox()));
}

Result<AddressListsPtr> MaildirNameSpace::GetAddressLists() {
  const std::string& dir = context_->ContactsDirectory();
  if (dir.empty()) {
    return Ok<AddressListsPtr>(
        std::make_shared<VCardAddressLists>(std::make_shared<const ContactsRecord>()));
  }
  // A file whose size and modification time are as when it was last read
  // is taken from the index, not read again.
  StoreIndex* index = context_->Catalog().Index();
  ContactsRecord cached = index != nullptr ? index->CachedAddressBook(dir) : ContactsRecord();
  // Which cached file each listed vCard file is, when it is one unchanged.
  constexpr std::size_t kNotCached = static_cast<std::size_t>(-1);
  const std::vector<StampedFile> listed = context_->ListContacts();
  const std::vector<ContactsRecord::File>& cachedFiles = cached.Files();
  std::vector<const StampedFile*> files;
  std::vector<std::size_t> fromCache;
  files.reserve(listed.size());
  fromCache.reserve(listed.size());
  std::size_t known = 0;
  bool unchanged = true;  // every file is the cached one in its place
  for (const StampedFile& file : listed) {
    if (!IsVCardFile(file.name)) continue;
    while (known < cachedFiles.size() && cachedFiles[known].name < file.name) ++known;
    const bool same = known < cachedFiles.size() && cachedFiles[known].name == file.name &&
                      cachedFiles[known].size == file.stamp.size &&
                      cachedFiles[known].modifiedNs == file.stamp.modifiedNs;
    unchanged = unchanged && same && known == files.size();
    files.push_back(&file);
    fromCache.push_back(same ? known : kNotCached);
  }
  unchanged = unchanged && files.size() == cachedFiles.size();

  // As a rule the cache's record is the book as it stands.
  ContactsRecord current;
  if (unchanged) {
    current = std::move(cached);
  } else {
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (fromCache[i] != kNotCached) {
        current.AddFrom(cached, fromCache[i]);
        continue;
      }
      auto text = MaildirFiles::ReadAll(dir + "/" + files[i]->name);
      if (!text.ok()) continue;
      current.Add(files[i]->name, files[i]->stamp.size, files[i]->stamp.modifiedNs,
                  VCardReader::Parse(text.value));
    }
  }
  if (index != nullptr && !unchanged) {
    // A file changed in the last seconds is not kept in the cache: a second
    // change in the same tick of the file system's clock could leave size
    // and time as they were.
    const std::time_t now = std::time(nullptr);
    std::vector<bool> kept;
    for (const ContactsRecord::File& file : current.Files()) {
      kept.push_back(now - file.modifiedNs / 1000000000 > 2);
    }
    if (!SameKeptFiles(current, kept, cached)) {
      ContactsRecord keep;
      for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i]) keep.AddFrom(current, i);
      }
      index->CacheAddressBook(dir, keep);
    }
  }
  return Ok<AddressListsPtr>(std::make_shared<VCardAddressLists>(
      std::make_shared<const ContactsRecord>(std::move(current))));
}

}  // namespace skerrow::maildir
