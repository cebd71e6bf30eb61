#include "host/maildir/MimeParameters.h"

#include <map>
#include <vector>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/EncodedWordDecoder.h"
#include "host/maildir/HexEscapes.h"

namespace skerrow::maildir {

namespace {

struct Parameter {
  std::string name;  // lower case, as written before "="
  std::string value;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Every "name=value" after the first ";", in order.
std::vector<Parameter> Split(std::string_view raw) {
  std::vector<Parameter> parameters;
  std::size_t pos = 0;
  // Skip the type, which may itself contain nothing special.
  while (pos < raw.size() && raw[pos] != ';') {
    if (raw[pos] == '"') {
      const std::size_t close = raw.find('"', pos + 1);
      pos = close == std::string_view::npos ? raw.size() : close;
    }
    ++pos;
  }
  while (pos < raw.size()) {
    ++pos;  // the ";"
    const std::size_t nameStart = pos;
    while (pos < raw.size() && raw[pos] != '=' && raw[pos] != ';') ++pos;
    if (pos >= raw.size() || raw[pos] == ';') continue;  // no value
    Parameter parameter;
    parameter.name = Lower(Trim(raw.substr(nameStart, pos - nameStart)));
    ++pos;  // the "="
    while (pos < raw.size() && IsBlank(raw[pos])) ++pos;
    if (pos < raw.size() && raw[pos] == '"') {
      ++pos;
      while (pos < raw.size() && raw[pos] != '"') {
        if (raw[pos] == '\\' && pos + 1 < raw.size()) ++pos;
        if (raw[pos] != '\r' && raw[pos] != '\n') parameter.value.push_back(raw[pos]);
        ++pos;
      }
      while (pos < raw.size() && raw[pos] != ';') ++pos;  // the quote and anything after
    } else {
      const std::size_t valueStart = pos;
      while (pos < raw.size() && raw[pos] != ';') ++pos;
      parameter.value = Trim(raw.substr(valueStart, pos - valueStart));
    }
    if (!parameter.name.empty()) parameters.push_back(std::move(parameter));
  }
  return parameters;
}

std::string PercentDecode(std::string_view text) {
  return DecodeHexEscapes(text, '%');
}

// The RFC 2231 form of the parameter, if the field has one.
std::optional<std::u16string> Extended(const std::vector<Parameter>& parameters,
                                       const std::string& name) {
  struct Section {
    std::string value;
    bool encoded = false;
  };
  std::map<int, Section> sections;
  for (const Parameter& parameter : parameters) {
    if (parameter.name.size() <= name.size() || parameter.name.compare(0, name.size(), name) != 0 ||
        parameter.name[name.size()] != '*') {
      continue;
    }
    std::string rest = parameter.name.substr(name.size() + 1);  // after "name*"
    Section section{parameter.value, false};
    if (!rest.empty() && rest.back() == '*') {
      section.encoded = true;
      rest.pop_back();
    }
    int index = 0;
    if (rest.empty()) {
      section.encoded = true;  // "name*=" is the single encoded form
    } else {
      if (rest.size() > 4) continue;
      for (char c : rest) {
        if (c < '0' || c > '9') {
          index = -1;
          break;
        }
        index = index * 10 + (c - '0');
      }
      if (index < 0) continue;
    }
    sections.emplace(index, std::move(section));
  }
  if (sections.empty()) return std::nullopt;
  std::string charset;
  std::string bytes;
  bool first = true;
  for (auto& [index, section] : sections) {
    std::string_view value = section.value;
    if (section.encoded && first) {
      // charset'language'text; without both quotes the whole is text.
      const std::size_t quote = value.find('\'');
      const std::size_t second =
          quote == std::string_view::npos ? quote : value.find('\'', quote + 1);
      if (second != std::string_view::npos) {
        charset = std::string(value.substr(0, quote));
        value = value.substr(second + 1);
      }
    }
    bytes += section.encoded ? PercentDecode(value) : std::string(value);
    first = false;
  }
  if (charset.empty()) return EncodedWordDecoder::Decode(bytes);
  return CharsetCodec::Decode(bytes, charset).text;
}

}  // namespace

std::optional<std::u16string> MimeParameters::Get(std::string_view raw, std::string_view name) {
  const std::vector<Parameter> parameters = Split(raw);
  const std::string wanted = Lower(std::string(name));
  if (auto extended = Extended(parameters, wanted)) return extended;
  for (const Parameter& parameter : parameters) {
    if (parameter.name == wanted) return EncodedWordDecoder::Decode(parameter.value);
  }
  return std::nullopt;
}

std::string MimeParameters::Disposition(std::string_view raw) {
  const std::size_t semicolon = raw.find(';');
  return Lower(Trim(raw.substr(0, semicolon)));
}

}  // namespace skerrow::maildir
