// An attachment of a message file: a MIME part that carries a file name.
#pragma once

#include "host/MailHost.h"

namespace skerrow::maildir {

class MaildirAttachment final : public Attachment {
 public:
  explicit MaildirAttachment(std::u16string fileName) : fileName_(std::move(fileName)) {}
  Result<std::u16string> FileName() override { return Ok(fileName_); }

 private:
  std::u16string fileName_;
};

}  // namespace skerrow::maildir
