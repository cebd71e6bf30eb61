// A learned list: texts seen in spam or valid mail, each with how often it was
// learned. Every operation cuts the text to the list's key length first, so
// texts that agree in their first key-length bytes are one entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace skerrow {

class LearnedList {
 public:
  using Entries = std::unordered_map<std::string, std::int32_t>;

  LearnedList(std::size_t keyLength, std::size_t entryLimit)
      : keyLength_(keyLength), entryLimit_(entryLimit) {}

  // A new key starts at 2, so a text learned once survives the first pass of
  // pruning; a known key counts up by one.
  void Increment(std::string_view text);
  // Absent keys are ignored.
  void Remove(std::string_view text);
  bool IsListed(std::string_view text) const;

  std::size_t KeyLength() const { return keyLength_; }
  // The size above which pruning at save time shrinks the list.
  std::size_t EntryLimit() const { return entryLimit_; }
  std::size_t size() const { return entries_.size(); }

  // The stored keys and counts, for the dictionary file and pruning. Keys
  // entered here are taken as they are, without the cut.
  Entries& entries() { return entries_; }
  const Entries& entries() const { return entries_; }

 private:
  std::string_view KeyOf(std::string_view text) const { return text.substr(0, keyLength_); }

  std::size_t keyLength_;
  std::size_t entryLimit_;
  Entries entries_;
};

}  // namespace skerrow
