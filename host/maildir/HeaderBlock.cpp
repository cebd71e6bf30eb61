#include "host/maildir/HeaderBlock.h"

namespace skerrow::maildir {

namespace {

// The end of the line that starts at pos: past its LF, or the data's end.
std::size_t LineEnd(std::string_view data, std::size_t pos) {
  const std::size_t newline = data.find('\n', pos);
  return newline == std::string_view::npos ? data.size() : newline + 1;
}

// Length of the line's ending (LF or CRLF, 0 at the end of data without one).
std::size_t EndingLength(std::string_view data, std::size_t lineEnd) {
  if (lineEnd == 0 || data[lineEnd - 1] != '\n') return 0;
  return lineEnd >= 2 && data[lineEnd - 2] == '\r' ? 2 : 1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The length of a field name at pos followed by a colon (blanks allowed
// before the colon), or 0 when the line is not a field. Bytes outside ASCII
// are taken in a name, as the MIME parser that reads the bodies takes them:
// both must agree where the header ends, or a rewrite would turn the header
// into body text.
std::size_t FieldNameLength(std::string_view data, std::size_t pos, std::size_t lineEnd) {
  std::size_t i = pos;
  while (i < lineEnd) {
    const auto c = static_cast<unsigned char>(data[i]);
    if (c == ':' || c <= 32) break;
    ++i;
  }
  if (i == pos) return 0;
  std::size_t colon = i;
  while (colon < lineEnd && IsBlank(data[colon])) ++colon;
  if (colon >= lineEnd || data[colon] != ':') return 0;
  return i - pos;
}

}  // namespace

HeaderBlock HeaderBlock::Parse(std::string_view data, std::size_t start) {
  HeaderBlock block;
  std::size_t pos = start;
  if (start == 0 && data.substr(0, 5) == "From ") pos = LineEnd(data, 0);
  block.insertAt_ = pos;
  block.bodyStart_ = pos;
  while (pos < data.size()) {
    const std::size_t lineEnd = LineEnd(data, pos);
    const std::size_t ending = EndingLength(data, lineEnd);
    const bool lastLineCr = lineEnd == data.size() && lineEnd - pos == 1 && data[pos] == '\r';
    if ((lineEnd - pos == ending && ending > 0) || lastLineCr) {  // the empty line
      block.hasEmptyLine_ = true;
      block.insertAt_ = pos;
      block.bodyStart_ = lineEnd;
      return block;
    }
    if (IsBlank(data[pos])) {
      if (!block.fields_.empty()) {
        HeaderField& field = block.fields_.back();
        field.end = lineEnd;
        const std::size_t valueStart = static_cast<std::size_t>(field.value.data() - data.data());
        field.value = data.substr(valueStart, lineEnd - ending - valueStart);
      }
      pos = lineEnd;
      block.insertAt_ = pos;
      block.bodyStart_ = pos;
      continue;
    }
    const std::size_t nameLength = FieldNameLength(data, pos, lineEnd);
    if (nameLength == 0) break;  // the body starts without an empty line
    HeaderField field;
    field.name = data.substr(pos, nameLength);
    field.start = pos;
    field.end = lineEnd;
    const std::size_t valueStart = data.find(':', pos + nameLength) + 1;
    field.value = data.substr(valueStart, lineEnd - ending - valueStart);
    block.fields_.push_back(field);
    pos = lineEnd;
    block.insertAt_ = pos;
    block.bodyStart_ = pos;
  }
  return block;
}

const HeaderField* HeaderBlock::Find(std::string_view name) const {
  for (const HeaderField& field : fields_) {
    if (NamesEqual(field.name, name)) return &field;
  }
  return nullptr;
}

std::vector<const HeaderField*> HeaderBlock::FindAll(std::string_view name) const {
  std::vector<const HeaderField*> found;
  for (const HeaderField& field : fields_) {
    if (NamesEqual(field.name, name)) found.push_back(&field);
  }
  return found;
}

std::string_view HeaderBlock::LineEnding(std::string_view data) {
  const std::size_t newline = data.find('\n');
  if (newline != std::string_view::npos && newline > 0 && data[newline - 1] == '\r') {
    return "\r\n";
  }
  return "\n";
}

bool HeaderBlock::NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace skerrow::maildir
