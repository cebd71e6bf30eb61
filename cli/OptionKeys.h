// What each stored option means, for 'skerrow options --help' (and so the
// manual page) and for the shell's completion of KEY=VALUE.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skerrow::cli {

struct OptionKey {
  const char* key;
  const char* meaning;  // one short line
};

// Every key 'skerrow options' prints, in the order it prints them.
const std::vector<OptionKey>& OptionKeys();

// The meaning of a key, or null for a key the table lacks.
const char* OptionMeaning(std::string_view key);

// The keys as indented "KEY=DEFAULT  meaning" lines, the defaults being what
// a fresh prefix holds.
std::string OptionKeysHelp();

}  // namespace skerrow::cli
