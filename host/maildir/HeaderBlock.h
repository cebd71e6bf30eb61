// The header fields of a message or of a MIME part, located byte for byte in
// the raw data so that a rewrite can replace one field and leave every other
// byte as it was.
//
// A block runs from its start to the first empty line, or to the first line
// that is neither a field nor the continuation of one (then the block has no
// empty line and the body begins on that line). Lines end in LF or CRLF; a
// lone CR that ends the data is an empty line, as GMime reads it.
#pragma once

#include <string_view>
#include <vector>

namespace skerrow::maildir {

struct HeaderField {
  std::string_view name;   // as written, without the colon
  std::string_view value;  // after the colon up to the final line ending; folds kept
  std::size_t start = 0;   // offset of the field's first byte
  std::size_t end = 0;     // offset just past its final line ending
};

class HeaderBlock {
 public:
  // Scans data from offset start. An mbox "From " line at the very start of
  // the data is skipped.
  static HeaderBlock Parse(std::string_view data, std::size_t start = 0);

  const std::vector<HeaderField>& Fields() const { return fields_; }
  // The first field with this name (compared without case), or null.
  const HeaderField* Find(std::string_view name) const;
  std::vector<const HeaderField*> FindAll(std::string_view name) const;

  // Where a new field goes: just past the last field (at the empty line).
  std::size_t InsertAt() const { return insertAt_; }
  // Where the body begins: past the empty line, if there is one.
  std::size_t BodyStart() const { return bodyStart_; }
  bool HasEmptyLine() const { return hasEmptyLine_; }

  // "\r\n" when the first line of data ends in CRLF, else "\n".
  static std::string_view LineEnding(std::string_view data);

  static bool NamesEqual(std::string_view a, std::string_view b);

 private:
  std::vector<HeaderField> fields_;
  std::size_t insertAt_ = 0;
  std::size_t bodyStart_ = 0;
  bool hasEmptyLine_ = false;
};

}  // namespace skerrow::maildir
