// An ANSI code page on Linux: 1252 (the default), 1250-1258, 874, and the
// double-byte code pages 932, 936, 949 and 950.
//
// The conversion tables are built once, at construction, by asking iconv to
// decode every byte and every lead/trail byte pair; after that every
// conversion is a table lookup per character. Construction of a double-byte
// code page takes some milliseconds: build one and keep it.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/Platform.h"

namespace skerrow {

class LinuxCodePage : public CodePage {
 public:
  // Null when the id names no supported code page or iconv lacks it.
  static std::unique_ptr<LinuxCodePage> Create(unsigned id);

  unsigned Id() const override { return id_; }
  // Characters the code page cannot hold, and unpaired surrogates, become
  // "?" and set usedDefaultChar; a surrogate pair counts as one character.
  NarrowText ToNarrow(std::u16string_view text) const override;
  // Bytes the code page does not define become U+FFFD, except 0x80-0x9F,
  // which become U+0080-U+009F as on Windows; a lead byte without a valid
  // trail byte becomes "?" and the next byte is read on its own.
  std::u16string ToWide(std::string_view text) const override;
  // Single-byte letters only; the bytes of a double-byte character are kept.
  std::string ToUpper(std::string_view text) const override;
  bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }
  int CompareNoCase(std::string_view a, std::string_view b) const override;

 private:
  explicit LinuxCodePage(unsigned id) : id_(id) {}
  bool Build(const char* iconvName);
  void BuildUpperCase();

  // Marks an encoding the code page has no bytes for.
  static constexpr std::uint16_t kUnmapped = 0xFFFF;

  unsigned id_;
  std::array<bool, 256> lead_{};
  std::array<char16_t, 256> single_{};
  // For each lead byte, the characters of its 256 possible trail bytes
  // (U+FFFF where the pair is undefined); empty for other bytes.
  std::array<std::vector<char16_t>, 256> pairs_;
  // For each UTF-16 unit: the single byte (< 0x100), the lead byte << 8 |
  // trail byte, or kUnmapped.
  std::vector<std::uint16_t> encode_;
  std::array<unsigned char, 256> upper_{};
};

}  // namespace skerrow
