// One message of the store as the store keeps it while any handle refers to
// it: where its file is now (folder, cur/ or new/, file name with flags), the
// properties written but not yet saved, and the properties last read with
// the file state they were read from.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/maildir/FolderNode.h"
#include "host/maildir/MaildirFileName.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MessageReader.h"

namespace skerrow::maildir {

struct MessageRecord {
  std::shared_ptr<FolderNode> folder;
  std::string subdir;    // "cur" or "new"
  std::string fileName;  // unique name and flags

  std::optional<std::u16string> pendingSubject;
  std::optional<std::u16string> pendingHtmlBody;

  FileStamp summaryStamp;
  std::shared_ptr<const MessageSummary> summary;
  FileStamp bodiesStamp;
  std::shared_ptr<const MessageBodies> bodies;

  // Where the file was found in the catalog's steady span numbered foundIn
  // (0: none), and its state then.
  std::uint64_t foundIn = 0;
  std::string foundPath;
  FileStamp foundStamp;

  std::string_view UniqueName() const { return MaildirFileName::UniqueName(fileName); }
};

}  // namespace skerrow::maildir
