#include "host/maildir/VCardReader.h"

#include <algorithm>
#include <optional>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/HexEscapes.h"

namespace skerrow::maildir {

namespace {

struct Property {
  std::string name;  // upper case, group removed
  std::string charset;
  bool quotedPrintable = false;
  std::string_view value;  // raw, a piece of the line
};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsQuotedPrintableAt(std::string_view text, std::size_t pos) {
  static constexpr std::string_view kToken = "QUOTED-PRINTABLE";
  if (text.size() - pos < kToken.size()) return false;
  for (std::size_t i = 0; i < kToken.size(); ++i) {
    char c = text[pos + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kToken[i]) return false;
  }
  return true;
}

// One unfolded line as it grows, with what is known of its head (the name
// and parameters before the first ":") kept up to date piece by piece, so
// that a line folded many times costs no more than its length.
class GrowingLine {
 public:
  GrowingLine() = default;
  explicit GrowingLine(std::string_view first) { Append(first); }

  void Append(std::string_view piece) {
    const std::size_t old = text_.size();
    text_.append(piece);
    if (headEnd_ != std::string::npos) return;
    headEnd_ = text_.find(':', old);
    const std::size_t limit = headEnd_ == std::string::npos ? text_.size() : headEnd_;
    // A token may straddle the old end: look again from just before it.
    std::size_t from = checked_ >= kTokenLength ? checked_ - kTokenLength + 1 : 0;
    for (; !quotedPrintable_ && from < limit; ++from) {
      quotedPrintable_ = IsQuotedPrintableAt(std::string_view(text_).substr(0, limit), from);
    }
    checked_ = limit;
  }
  // Whether the head names the quoted-printable encoding.
  bool QuotedPrintable() const { return quotedPrintable_; }
  bool EndsWith(char c) const { return !text_.empty() && text_.back() == c; }
  void RemoveLast() {
    text_.pop_back();
    checked_ = std::min(checked_, text_.size());
  }
  std::string& Text() { return text_; }

 private:
  static constexpr std::size_t kTokenLength = 16;

  std::string text_;
  std::size_t headEnd_ = std::string::npos;
  std::size_t checked_ = 0;
  bool quotedPrintable_ = false;
};

// Unfolds: a line break followed by a blank continues the line (3.0, 4.0);
// a quoted-printable soft break "=" at the end of a line does too (2.1).
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  // A plain object and a flag rather than an optional, which GCC 12 at -O3
  // takes for a string that may be read uninitialised.
  GrowingLine current;
  bool open = false;
  const auto finish = [&] {
    if (open) lines.push_back(std::move(current.Text()));
    open = false;
  };
  bool softBreak = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (softBreak) {
      current.Append(line);
    } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && open) {
      current.Append(line.substr(1));
    } else {
      finish();
      current = GrowingLine(line);
      open = true;
    }
    softBreak = current.EndsWith('=') && current.QuotedPrintable();
    if (softBreak) current.RemoveLast();
  }
  finish();
  return lines;
}

std::optional<Property> ParseLine(std::string_view line) {
  // The name and parameters end at the first ":" outside quotes.
  std::size_t colon = std::string_view::npos;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) {
      colon = i;
      break;
    }
  }
  if (colon == std::string_view::npos) return std::nullopt;
  Property property;
  property.value = line.substr(colon + 1);
  const std::string_view head = line.substr(0, colon);
  std::size_t semicolon = head.find(';');
  std::string name = Upper(head.substr(0, semicolon));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(0, dot + 1);
  property.name = name;
  while (semicolon != std::string_view::npos) {
    const std::size_t next = head.find(';', semicolon + 1);
    const std::string parameter = Upper(head.substr(semicolon + 1, next - semicolon - 1));
    if (parameter == "QUOTED-PRINTABLE" || parameter == "ENCODING=QUOTED-PRINTABLE") {
      property.quotedPrintable = true;
    } else if (parameter.rfind("CHARSET=", 0) == 0) {
      property.charset = parameter.substr(8);
    }
    semicolon = next;
  }
  return property;
}

std::u16string TextValue(const Property& property, bool structured) {
  std::string decoded;
  if (property.quotedPrintable) decoded = DecodeHexEscapes(property.value, '=');
  const std::string_view bytes = property.quotedPrintable ? decoded : property.value;
  std::string unescaped;
  unescaped.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\\' && i + 1 < bytes.size()) {
      c = bytes[++i];
      if (c == 'n' || c == 'N') c = ' ';
    } else if (structured && c == ';') {
      break;  // the first component of a structured value
    }
    unescaped.push_back(c);
  }
  decoded.clear();
  decoded.shrink_to_fit();
  std::u16string text = CharsetCodec::Decode(unescaped, property.charset).text;
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.pop_back();
  std::size_t first = 0;
  while (first < text.size() && (text[first] == u' ' || text[first] == u'\t')) ++first;
  text.erase(0, first);
  return text;
}

}  // namespace

std::vector<VCardEntry> VCardReader::Parse(std::string_view text) {
  std::vector<VCardEntry> entries;
  std::optional<VCardEntry> card;
  bool haveName = false;
  bool haveAddress = false;
  for (const std::string& line : Lines(text)) {
    auto property = ParseLine(line);
    if (!property) continue;
    if (property->name == "BEGIN" && Upper(property->value) == "VCARD") {
      card = VCardEntry{};
      haveName = haveAddress = false;
    } else if (property->name == "END" && Upper(property->value) == "VCARD") {
      if (card) entries.push_back(std::move(*card));
      card.reset();
    } else if (card && property->name == "FN" && !haveName) {
      card->name = TextValue(*property, false);
      haveName = true;
    } else if (card && property->name == "EMAIL" && !haveAddress) {
      card->address = TextValue(*property, true);
      haveAddress = !card->address.empty();
    }
  }
  return entries;
}

}  // namespace skerrow::maildir
