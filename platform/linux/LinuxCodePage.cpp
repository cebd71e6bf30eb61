#include "platform/linux/LinuxCodePage.h"

#include <iconv.h>

#include <cstring>

namespace skerrow {

namespace {

constexpr char16_t kUndefined = 0xFFFF;
constexpr char16_t kReplacement = 0xFFFD;

const char* IconvName(unsigned id) {
  switch (id) {
    case 874:
      return "CP874";
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case 1250:
      return "CP1250";
    case 1251:
      return "CP1251";
    case 1252:
      return "CP1252";
    case 1253:
      return "CP1253";
    case 1254:
      return "CP1254";
    case 1255:
      return "CP1255";
    case 1256:
      return "CP1256";
    case 1257:
      return "CP1257";
    case 1258:
      return "CP1258";
    default:
      return nullptr;
  }
}

bool IsDoubleByte(unsigned id) {
  return id == 932 || id == 936 || id == 949 || id == 950;
}

// Decodes bytes that must form exactly one BMP character; kUndefined if not.
class Decoder {
 public:
  explicit Decoder(const char* name) : cd_(iconv_open("UTF-16LE", name)) {}
  ~Decoder() {
    if (ok()) iconv_close(cd_);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  char16_t Decode(const unsigned char* bytes, std::size_t count) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char in[2];
    std::memcpy(in, bytes, count);
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = count;
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
      return kUndefined;
    }
    // Flush any state; a complete character leaves none behind.
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      return kUndefined;
    }
    if (sizeof out - outLeft != 2) return kUndefined;  // none, or more than one unit
    char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                          (static_cast<unsigned char>(out[1]) << 8));
    if (unit >= 0xD800 && unit <= 0xDFFF) return kUndefined;
    return unit;
  }

 private:
  iconv_t cd_;
};

// Upper case of the characters the supported code pages hold: Latin-1, Latin
// Extended-A and the few of Extended-B they have, Greek, Cyrillic. Characters
// without an upper-case form (sharp s, final forms) stay as they are.
char16_t UpperOf(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
  if (c == 0x00FF) return 0x0178;
  if (c >= 0x0100 && c <= 0x017F) {
    if (c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F) return c;
    bool evenUpper = (c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
    if (evenUpper) return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;  // 0139-0148, 0179-017E
  }
  if (c == 0x0192) return 0x0191;
  if (c == 0x01A1 || c == 0x01B0) return static_cast<char16_t>(c - 1);
  if (c >= 0x03B1 && c <= 0x03CB && c != 0x03C2) return static_cast<char16_t>(c - 0x20);
  if (c == 0x03AC) return 0x0386;
  if (c >= 0x03AD && c <= 0x03AF) return static_cast<char16_t>(c - 0x25);
  if (c == 0x03CC) return 0x038C;
  if (c == 0x03CD || c == 0x03CE) return static_cast<char16_t>(c - 0x3F);
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
  if (c == 0x0491) return 0x0490;
  return c;
}

}  // namespace

std::unique_ptr<LinuxCodePage> LinuxCodePage::Create(unsigned id) {
  const char* name = IconvName(id);
  if (!name) return nullptr;
  std::unique_ptr<LinuxCodePage> page(new LinuxCodePage(id));
  if (!page->Build(name)) return nullptr;
  page->BuildUpperCase();
  return page;
}

bool LinuxCodePage::Build(const char* iconvName) {
  Decoder decoder(iconvName);
  if (!decoder.ok()) return false;
  encode_.assign(0x10000, kUnmapped);
  auto learn = [&](char16_t unit, std::uint16_t bytes) {
    // The first (shortest, lowest) byte sequence of a character is the one
    // that encodes it.
    if (unit != kUndefined && unit != kReplacement && encode_[unit] == kUnmapped) {
      encode_[unit] = bytes;
    }
  };

  for (unsigned b = 0; b < 256; ++b) {
    unsigned char byte = static_cast<unsigned char>(b);
    char16_t unit = decoder.Decode(&byte, 1);
    if (unit == kUndefined && b < 0x80) return false;  // not an ASCII-based code page
    single_[b] = unit;
  }
  if (IsDoubleByte(id_)) {
    for (unsigned b = 0x81; b < 0xFF; ++b) {
      if (single_[b] != kUndefined) continue;
      std::vector<char16_t> trails(256, kUndefined);
      bool any = false;
      for (unsigned t = 0x21; t < 0xFF; ++t) {
        unsigned char pair[2] = {static_cast<unsigned char>(b), static_cast<unsigned char>(t)};
        trails[t] = decoder.Decode(pair, 2);
        any = any || trails[t] != kUndefined;
      }
      if (any) {
        lead_[b] = true;
        pairs_[b] = std::move(trails);
      }
    }
  }

  for (unsigned b = 0; b < 256; ++b) {
    if (lead_[b]) continue;
    if (single_[b] == kUndefined) {
      // Undefined bytes: the C1 range reads as the control characters of the
      // same value (what Windows does), the rest as the replacement character.
      single_[b] = (b >= 0x80 && b < 0xA0) ? static_cast<char16_t>(b) : kReplacement;
    }
    learn(single_[b], static_cast<std::uint16_t>(b));
  }
  for (unsigned b = 0; b < 256; ++b) {
    if (!lead_[b]) continue;
    for (unsigned t = 0; t < 256; ++t) learn(pairs_[b][t], static_cast<std::uint16_t>(b << 8 | t));
  }
  return true;
}

void LinuxCodePage::BuildUpperCase() {
  for (unsigned b = 0; b < 256; ++b) {
    upper_[b] = static_cast<unsigned char>(b);
    if (lead_[b]) continue;
    std::uint16_t bytes = encode_[UpperOf(single_[b])];
    if (bytes < 0x100) upper_[b] = static_cast<unsigned char>(bytes);
  }
}

NarrowText LinuxCodePage::ToNarrow(std::u16string_view text) const {
  NarrowText result;
  // At most two bytes per UTF-16 unit: the buffer is as large as the text
  // can need, whatever the code page, and is cut to what was written.
  result.text.resize(text.size() * (IsDoubleByte(id_) ? 2 : 1));
  char* out = result.text.data();
  const std::uint16_t* encode = encode_.data();
  bool usedDefault = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    std::uint16_t bytes = encode[unit];
    if (bytes < 0x100) {
      *out++ = static_cast<char>(bytes);
    } else if (bytes != kUnmapped) {
      *out++ = static_cast<char>(bytes >> 8);
      *out++ = static_cast<char>(bytes & 0xFF);
    } else {
      // Characters beyond the BMP are in no ANSI code page: one "?" for a
      // surrogate pair, one for each unpaired half, one for anything else
      // the code page lacks. (Surrogates are never in the table.)
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
          text[i + 1] <= 0xDFFF) {
        ++i;
      }
      *out++ = '?';
      usedDefault = true;
    }
  }
  result.text.resize(static_cast<std::size_t>(out - result.text.data()));
  result.usedDefaultChar = usedDefault;
  return result;
}

std::u16string LinuxCodePage::ToWide(std::string_view text) const {
  std::u16string result(text.size(), u'\0');
  char16_t* out = result.data();
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (!lead_[byte]) {
      *out++ = single_[byte];
      continue;
    }
    char16_t unit = kUndefined;
    if (i + 1 < text.size()) unit = pairs_[byte][static_cast<unsigned char>(text[i + 1])];
    if (unit == kUndefined) {
      *out++ = u'?';
    } else {
      *out++ = unit;
      ++i;
    }
  }
  result.resize(static_cast<std::size_t>(out - result.data()));
  return result;
}

std::string LinuxCodePage::ToUpper(std::string_view text) const {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(result[i]);
    if (lead_[byte]) {
      ++i;  // the trail byte belongs to the character, whatever its value
      continue;
    }
    result[i] = static_cast<char>(upper_[byte]);
  }
  return result;
}

int LinuxCodePage::CompareNoCase(std::string_view a, std::string_view b) const {
  std::string upperA = ToUpper(a);
  std::string upperB = ToUpper(b);
  int order = upperA.compare(upperB);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace skerrow
