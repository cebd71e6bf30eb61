// An ANSI code page of Windows, over the system's conversions. The system's
// own (GetACP) unless the constructor names another, so that tests can use
// 1252 and 936 whatever the machine is set to.
//
// It agrees with the Linux home on what is representable and how text that is
// not comes out: no best-fit characters ("\u0100" is "?", not "A"), "?" as the
// default character, one "?" for each surrogate pair and each unpaired half,
// and a lead byte without a valid trail byte read as "?" with the next byte
// read on its own. A UTF-8 system code page (a Windows option) holds every
// character, so there only unpaired surrogate halves become "?".
#pragma once

#include <array>

#include "platform/Platform.h"

namespace skerrow {

class Win32CodePage : public CodePage {
 public:
  // id must name a code page the system has (IsValidCodePage).
  explicit Win32CodePage(unsigned id);
  Win32CodePage();  // the system's ANSI code page

  unsigned Id() const override { return id_; }
  NarrowText ToNarrow(std::u16string_view text) const override;
  std::u16string ToWide(std::string_view text) const override;
  // In the manner of _mbsupr: single-byte letters by the system's upper-case
  // mapping, where the upper-case letter is a single byte of the code page
  // too; the two bytes of a double-byte character are kept as they are (as
  // in the Linux home; _mbsupr itself would also change full-width letters).
  std::string ToUpper(std::string_view text) const override;
  bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }
  int CompareNoCase(std::string_view a, std::string_view b) const override;

 private:
  std::u16string ToWideByteByByte(std::string_view text) const;

  unsigned id_;
  // Whether the code page takes a default character (not UTF-8).
  bool hasDefaultChar_;
  std::array<bool, 256> lead_{};
  std::array<unsigned char, 256> upper_{};
};

}  // namespace skerrow
