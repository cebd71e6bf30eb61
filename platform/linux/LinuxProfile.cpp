#include "platform/linux/LinuxProfile.h"

#include <cstdint>
#include <vector>

#include "platform/linux/LinuxReplacementFile.h"
#include "platform/linux/TextLines.h"

namespace skerrow {

namespace {

using textlines::EqualsNoCase;
using textlines::Trim;

// The name of a "[name]" line, or empty when the line opens no section.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  std::string_view trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() == ';';
}

// The key of a "key=value" line, or empty when the line has no "=".
std::optional<std::string_view> KeyName(std::string_view line) {
  if (IsComment(line)) return std::nullopt;
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// One line of the file with its end, so that a rewrite keeps it byte for byte.
struct RawLine {
  std::string_view text;  // without the line end
  std::string_view end;   // "\n", "\r\n" or empty for a last line without end
};

std::vector<RawLine> RawLines(std::string_view file) {
  std::vector<RawLine> lines;
  std::size_t pos = 0;
  while (pos < file.size()) {
    std::size_t newline = file.find('\n', pos);
    if (newline == std::string_view::npos) {
      lines.push_back({file.substr(pos), {}});
      break;
    }
    std::size_t textEnd = newline;
    if (textEnd > pos && file[textEnd - 1] == '\r') --textEnd;
    lines.push_back({file.substr(pos, textEnd - pos), file.substr(textEnd, newline + 1 - textEnd)});
    pos = newline + 1;
  }
  return lines;
}

// The profile text with key=value written into its section, or nothing when
// the names or the value cannot be held by the file (see WriteString).
std::optional<std::string> WithEntry(std::string_view file, std::string_view section,
                                     std::string_view key, std::string_view value) {
  std::string_view sectionName = Trim(section);
  std::string_view keyName = Trim(key);
  if (sectionName.empty() || keyName.empty() || HasLineBreakOrNul(section) ||
      HasLineBreakOrNul(key) || HasLineBreakOrNul(value) ||
      sectionName.find(']') != std::string_view::npos ||
      keyName.find('=') != std::string_view::npos || keyName.front() == '[' ||
      keyName.front() == ';') {
    return std::nullopt;
  }

  std::vector<RawLine> lines = RawLines(file);
  std::string_view newline = file.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::string entry = std::string(keyName) + "=" + std::string(value);

  // Where the section starts and ends, and where the key is.
  std::size_t sectionLine = lines.size();
  std::size_t insertAt = lines.size();
  std::size_t keyLine = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string_view> name = SectionName(lines[i].text)) {
      if (sectionLine != lines.size()) break;
      if (EqualsNoCase(*name, sectionName)) {
        sectionLine = i;
        insertAt = i + 1;
      }
      continue;
    }
    if (sectionLine == lines.size()) continue;
    if (!Trim(lines[i].text).empty()) insertAt = i + 1;
    std::optional<std::string_view> name = KeyName(lines[i].text);
    if (name && EqualsNoCase(*name, keyName)) {
      keyLine = i;
      break;
    }
  }

  std::string out;
  out.reserve(file.size() + entry.size() + sectionName.size() + 8);
  auto appendLine = [&](const RawLine& line) {
    out.append(line.text);
    out.append(line.end);
  };
  // A last line cut after its CR is completed with the LF: another line
  // end after the CR would make the CR part of that line's value.
  auto endLastLine = [&]() {
    if (!out.empty() && out.back() != '\n') out.append(out.back() == '\r' ? "\n" : newline);
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == keyLine) {
      out.append(entry);
      out.append(lines[i].end.empty() ? newline : lines[i].end);
      continue;
    }
    if (keyLine == lines.size() && sectionLine != lines.size() && i == insertAt) {
      endLastLine();
      out.append(entry);
      out.append(newline);
    }
    appendLine(lines[i]);
  }
  if (sectionLine == lines.size()) {
    endLastLine();
    out.append("[").append(sectionName).append("]").append(newline);
    out.append(entry).append(newline);
  } else if (keyLine == lines.size() && insertAt == lines.size()) {
    endLastLine();
    out.append(entry).append(newline);
  }
  return out;
}

}  // namespace

std::optional<std::string> LinuxProfile::Find(std::string_view section,
                                              std::string_view key) const {
  std::optional<std::string> file = textlines::ReadFile(file_);
  if (!file) return std::nullopt;
  bool inSection = false;
  bool sectionSeen = false;
  for (std::string_view line : textlines::SplitLines(*file)) {
    if (std::optional<std::string_view> name = SectionName(line)) {
      if (inSection) return std::nullopt;  // the first matching section ended
      inSection = !sectionSeen && EqualsNoCase(*name, Trim(section));
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    std::optional<std::string_view> name = KeyName(line);
    if (name && EqualsNoCase(*name, Trim(key))) return std::string(ValueOf(line));
  }
  return std::nullopt;
}

std::int32_t LinuxProfile::ReadInt(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) {
  std::optional<std::string> value = Find(section, key);
  if (!value) return defaultValue;
  std::string_view text = Trim(*value);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Digits beyond 32 bits wrap around, as they do in the Windows conversion;
  // unsigned arithmetic keeps that free of overflow.
  std::uint32_t number = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    number = number * 10u + static_cast<std::uint32_t>(text.front() - '0');
    text.remove_prefix(1);
  }
  if (negative) number = 0u - number;
  return static_cast<std::int32_t>(number);
}

std::string LinuxProfile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::optional<std::string> value = Find(section, key);
  std::string text = value ? std::move(*value) : std::string(defaultValue);
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

bool LinuxProfile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool LinuxProfile::WriteStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& entries) {
  std::error_code ec;
  bool exists = std::filesystem::exists(std::filesystem::symlink_status(file_, ec));
  std::optional<std::string> text = textlines::ReadFile(file_);
  // An existing profile that cannot be read must not be replaced by one
  // holding only the new keys.
  if (!text && exists) {
    if (failures_) failures_->Add(file_, "cannot be read, so it was not rewritten");
    return false;
  }
  if (!text) text.emplace();
  for (const auto& [key, value] : entries) {
    std::optional<std::string> next = WithEntry(*text, section, key, value);
    if (!next) {
      if (failures_) failures_->Add(file_, "the profile cannot hold the value of " + key);
      return false;
    }
    text = std::move(next);
  }
  std::unique_ptr<LinuxReplacementFile> replacement =
      LinuxReplacementFile::Create(file_, failures_);
  return replacement && replacement->Write(text->data(), text->size()) && replacement->Commit();
}

}  // namespace skerrow
