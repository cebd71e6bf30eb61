// The two counts of a word-table entry packed into one signed 32-bit value:
// the spam count in the high 16 bits, the valid count in the low 16 bits.
// This is the value the dictionary file stores, bit for bit.
#pragma once

#include <cstdint>

namespace skerrow {

// The high half is read as an unsigned 16-bit count. A sign-extending shift
// would turn every spam count from 32768 up into a negative number, so a word
// seen in that many spam messages would drop out of scoring and be the first
// to be pruned; the halving rule keeps counts up to 65535, and so must this.
constexpr std::int32_t SpamCountOf(std::int32_t packed) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed) >> 16);
}

constexpr std::int32_t ValidCountOf(std::int32_t packed) {
  return packed & 0xFFFF;
}

// Both counts must lie in 0..65535.
constexpr std::int32_t PackCounts(std::int32_t spam, std::int32_t valid) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(spam) << 16) |
                                   static_cast<std::uint32_t>(valid));
}

}  // namespace skerrow
