#include "stats/DictionaryFingerprint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skerrow {
namespace {

// A save hands the bytes over a buffer at a time, a load all at once: the
// same bytes must sum up the same however they are cut, and bytes that
// differ anywhere, in a whole word or in the last few, must not.
TEST(DictionaryFingerprintTest, TheSameBytesInAnyPiecesSumUpTheSameAndOtherBytesDoNot) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 37 % 251));
  const DictionaryFingerprint whole = DictionaryFingerprint::Of(bytes);
  for (const std::size_t piece : {1u, 3u, 7u, 8u, 9u, 13u, 4096u}) {
    DictionaryFingerprint pieces;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      pieces.Add(std::string_view(bytes).substr(at, piece));
    }
    EXPECT_EQ(pieces, whole) << "pieces of " << piece;
  }
  for (const std::size_t changed : {0u, 500u, 996u, 999u}) {
    std::string other = bytes;
    other[changed] = static_cast<char>(other[changed] ^ 1);
    EXPECT_FALSE(DictionaryFingerprint::Of(other) == whole) << "byte " << changed;
  }
  EXPECT_FALSE(DictionaryFingerprint::Of(bytes + '\0') == whole);
}

}  // namespace
}  // namespace skerrow
