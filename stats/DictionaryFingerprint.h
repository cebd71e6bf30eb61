// What a dictionary file's bytes sum up to (a 64-bit FNV-1a hash and the
// length), so that a save can tell that it would write the very bytes the
// file already holds without keeping a copy of them.
#pragma once

#include <cstdint>
#include <string_view>

namespace skerrow {

struct DictionaryFingerprint {
  std::uint64_t hash = 14695981039346656037ull;
  std::uint64_t size = 0;

  void Add(std::string_view bytes) {
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    size += bytes.size();
  }
  bool operator==(const DictionaryFingerprint&) const = default;

  static DictionaryFingerprint Of(std::string_view bytes) {
    DictionaryFingerprint fingerprint;
    fingerprint.Add(bytes);
    return fingerprint;
  }
};

}  // namespace skerrow
