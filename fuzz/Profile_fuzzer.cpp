// Reads arbitrary bytes as the profile file (WIN.INI) and writes one key into
// it. Input: the section, the key and the value, each ended by a NUL, then
// the file. A write that is accepted must read back (blanks and one pair of
// quotes around the value are not part of it, as ever in a profile), and
// must leave every other key of the file as it read before.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "fuzz/FuzzTarget.h"
#include "platform/linux/LinuxProfile.h"
#include "tests/support/TempFolder.h"

namespace {

using skerrow::fuzz::Require;

std::string_view Field(std::string_view& input) {
  const std::size_t nul = input.find('\0');
  const std::string_view field = input.substr(0, nul);
  input.remove_prefix(nul == std::string_view::npos ? input.size() : nul + 1);
  return field;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  a = Trimmed(a);
  b = Trimmed(b);
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string AsRead(std::string_view value) {
  value = Trimmed(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// Every "[section]" and "key=" name of the file, paired: what could be read.
std::set<std::pair<std::string, std::string>> NamesIn(std::string_view file) {
  std::set<std::pair<std::string, std::string>> names;
  std::string section;
  std::size_t pos = 0;
  while (pos < file.size()) {
    const std::size_t end = std::min(file.find_first_of("\r\n", pos), file.size());
    const std::string_view line = Trimmed(file.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty() && line.front() == '[') {
      section = std::string(line.substr(1, line.find(']') - 1));
    } else if (line.find('=') != std::string_view::npos) {
      names.emplace(section, std::string(line.substr(0, line.find('='))));
    }
  }
  return names;
}

}  // namespace

SKERROW_FUZZ_TARGET(Profile) {
  // One folder for the whole run, removed when the process ends.
  static const skerrow::TempFolder folder;
  const std::filesystem::path path = folder.path() / "win.ini";
  std::string_view rest = input;
  const std::string_view section = Field(rest);
  const std::string_view key = Field(rest);
  const std::string_view value = Field(rest);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << rest;

  skerrow::LinuxProfile profile(path);
  const auto names = NamesIn(rest);
  std::vector<std::string> before;
  for (const auto& [s, k] : names) before.push_back(profile.ReadString(s, k, "\x01", 4096));
  profile.ReadInt(section, key, 7);
  if (!profile.WriteString(section, key, value)) return;
  Require(profile.ReadString(section, key, "\x01", 65536) == AsRead(value),
          "a written value reads back");
  std::size_t index = 0;
  for (const auto& [s, k] : names) {
    const std::string now = profile.ReadString(s, k, "\x01", 4096);
    const bool written = SameName(s, section) && SameName(k, key);
    Require(written || now == before[index], "writing one key leaves the others as they were");
    ++index;
  }
}

SKERROW_FUZZ_SEEDS(Profile) {
  // Profiles written by the profile writer itself.
  skerrow::TempFolder folder;
  const std::filesystem::path path = folder.path() / "win.ini";
  skerrow::LinuxProfile profile(path);
  profile.WriteString("Tamsquil", "bBayesFilter", "1");
  profile.WriteString("Tamsquil", "sSpamBoxName", " Junk E-mail ");
  profile.WriteString("Other", "key", "\"quoted\"");
  std::ifstream in(path, std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  using namespace std::string_literals;
  return {
      "Tamsquil\0sSpamBoxName\0Spam\0"s + file,
      "tamsquil \0 bBayesFilter\0 0 \0"s + file + "; comment\r\n[Tamsquil]\r\nbBayesFilter=2\r\n",
      "New\0k\0'v'\0"s + "[x]\nk=1\ngarbage line\n[New"s,
  };
}
