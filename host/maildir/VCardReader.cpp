#include "host/maildir/VCardReader.h"

#include <optional>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/HexEscapes.h"

namespace skerrow::maildir {

namespace {

struct Property {
  std::string name;  // upper case, group removed
  std::string charset;
  bool quotedPrintable = false;
  std::string value;  // raw
};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Unfolds: a line break followed by a blank continues the line (3.0, 4.0);
// a quoted-printable soft break "=" at the end of a line does too (2.1).
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  bool softBreak = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (softBreak) {
      lines.back().append(line);
    } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
      lines.back().append(line.substr(1));
    } else {
      lines.emplace_back(line);
    }
    std::string& last = lines.back();
    const std::string head = Upper(last.substr(0, last.find(':')));
    softBreak =
        !last.empty() && last.back() == '=' && head.find("QUOTED-PRINTABLE") != std::string::npos;
    if (softBreak) last.pop_back();
  }
  return lines;
}

std::optional<Property> ParseLine(const std::string& line) {
  // The name and parameters end at the first ":" outside quotes.
  std::size_t colon = std::string::npos;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) {
      colon = i;
      break;
    }
  }
  if (colon == std::string::npos) return std::nullopt;
  Property property;
  property.value = line.substr(colon + 1);
  const std::string head = line.substr(0, colon);
  std::size_t semicolon = head.find(';');
  std::string name = Upper(head.substr(0, semicolon));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(0, dot + 1);
  property.name = name;
  while (semicolon != std::string::npos) {
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

std::string DecodeQuotedPrintable(std::string_view text) {
  return DecodeHexEscapes(text, '=');
}

std::u16string TextValue(const Property& property, bool structured) {
  std::string bytes =
      property.quotedPrintable ? DecodeQuotedPrintable(property.value) : property.value;
  std::string unescaped;
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
  std::u16string text = CharsetCodec::Decode(unescaped, property.charset).text;
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.pop_back();
  std::size_t first = 0;
  while (first < text.size() && (text[first] == u' ' || text[first] == u'\t')) ++first;
  return text.substr(first);
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
