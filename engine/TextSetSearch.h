// Whether a text holds any of a set of byte strings, in one pass over the
// text whatever the number of strings: the strings are made into one
// automaton (Aho-Corasick, with the transitions of every state worked out in
// advance), so that a 50 MB body against 500 valid texts is read once rather
// than 500 times. Bytes are compared as they are: the caller brings both
// sides to one case. The automaton takes 4 bytes per state and class of
// byte, up to 64 MB; beyond, the strings are looked for one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skerrow {

class TextSetSearch {
 public:
  TextSetSearch() = default;
  explicit TextSetSearch(const std::vector<std::string>& strings);

  // True when one of the strings occurs in text; an empty string occurs in
  // every text.
  bool FoundIn(std::string_view text) const;

 private:
  // Bytes that occur in no string share one class, so that a state's row
  // holds one entry per class rather than 256.
  std::uint16_t classOf_[256] = {};
  std::size_t classCount_ = 1;
  // Row by row, for each state and class: where the next state's row
  // starts, or a mark that a string ends there (at that state or at one of
  // its suffixes).
  std::vector<std::uint32_t> next_;
  bool matchesEverything_ = false;
  // Where the automaton would be too large (a great many long strings of
  // many different bytes), the strings are looked for one by one.
  std::vector<std::string> oneByOne_;
};

}  // namespace skerrow
