// What a dictionary file's bytes sum up to (a 64-bit hash and the length),
// so that a save can tell that it would write the very bytes the file
// already holds without keeping a copy of them.
//
// The hash takes the bytes eight at a time (little-endian words), through a
// step that is a bijection of the running value for a given word and of the
// word for a given running value: two inputs of one length that differ in a
// single word always differ at the end. Byte at a time, the hash this
// replaced cost half a millisecond of every save and every load of a full
// dictionary. The bytes may come in pieces of any size (a save gives them a
// buffer at a time, a load all at once) and sum up the same: the last
// size % 8 bytes wait in `tail` for their word, and compare as part of the
// fingerprint.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace skerrow {

struct DictionaryFingerprint {
  std::uint64_t hash = 14695981039346656037ull;
  std::uint64_t size = 0;
  std::uint64_t tail = 0;

  void Add(std::string_view bytes) {
    std::size_t i = 0;
    while (size % 8 != 0 && i < bytes.size()) Push(bytes[i++]);
    // In locals: written through `this` at every word, the compiler must
    // assume that the stores change the bytes.
    const std::size_t words = (bytes.size() - i) / 8;
    std::uint64_t running = hash;
    for (std::size_t w = 0; w < words; ++w, i += 8) running = Mixed(running, WordAt(&bytes[i]));
    hash = running;
    size += 8 * words;
    while (i < bytes.size()) Push(bytes[i++]);
  }
  bool operator==(const DictionaryFingerprint&) const = default;

  static DictionaryFingerprint Of(std::string_view bytes) {
    DictionaryFingerprint fingerprint;
    fingerprint.Add(bytes);
    return fingerprint;
  }

 private:
  void Push(char c) {
    tail |= std::uint64_t{static_cast<unsigned char>(c)} << (8 * (size % 8));
    if (++size % 8 == 0) {
      Mix(tail);
      tail = 0;
    }
  }
  void Mix(std::uint64_t word) { hash = Mixed(hash, word); }
  static std::uint64_t Mixed(std::uint64_t hash, std::uint64_t word) {
    return std::rotl(hash ^ word, 29) * 0x9E3779B97F4A7C15ull;
  }
  // The little-endian word at bytes.
  static std::uint64_t WordAt(const char* bytes) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&word, bytes, sizeof word);
    } else {
      for (std::size_t b = 0; b < 8; ++b) {
        word |= std::uint64_t{static_cast<unsigned char>(bytes[b])} << (8 * b);
      }
    }
    return word;
  }
};

}  // namespace skerrow
