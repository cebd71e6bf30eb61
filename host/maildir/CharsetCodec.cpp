#include "host/maildir/CharsetCodec.h"

#include <gmime/gmime.h>
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <initializer_list>
#include <memory>
#include <optional>

#include "base/Utf8.h"
#include "host/maildir/GMimeLibrary.h"
#include "host/maildir/Windows1252.h"

namespace skerrow::maildir {

namespace {

bool IsUtf8Label(std::string_view charset) {
  return charset == "utf-8" || charset == "utf8";
}

bool IsOneOf(std::string_view charset, std::initializer_list<std::string_view> labels) {
  for (std::string_view label : labels) {
    if (charset == label) return true;
  }
  return false;
}

bool IsAsciiLabel(std::string_view charset) {
  return IsOneOf(charset, {"us-ascii", "ascii", "ansi_x3.4-1968", "iso646-us"});
}

bool IsLatin1Label(std::string_view charset) {
  return IsOneOf(charset,
                 {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "cp819", "iso-ir-100"});
}

bool IsWindows1252Label(std::string_view charset) {
  return IsOneOf(charset, {"windows-1252", "cp1252", "x-cp1252"}) || IsAsciiLabel(charset) ||
         IsLatin1Label(charset);
}

// Whether the charset of that label has the code point (all three labels
// are read with the windows-1252 table, but written strictly).
std::optional<unsigned char> SingleByte(std::string_view charset, char32_t codePoint) {
  if (IsAsciiLabel(charset)) {
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    return std::nullopt;
  }
  if (IsLatin1Label(charset)) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
      return static_cast<unsigned char>(codePoint);
    }
    return std::nullopt;
  }
  return Windows1252::Encode(codePoint);
}

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};

// An open converter, or null when neither the name nor GMime's alias for it
// is known to iconv.
std::unique_ptr<void, IconvCloser> OpenConverter(const std::string& to, const std::string& from) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    EnsureGMimeInitialized();
    const char* toName = g_mime_charset_iconv_name(to.c_str());
    const char* fromName = g_mime_charset_iconv_name(from.c_str());
    if (toName == nullptr || fromName == nullptr) return nullptr;
    cd = iconv_open(toName, fromName);
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  }
  return std::unique_ptr<void, IconvCloser>(cd);
}

DecodedText DecodeWithoutCharset(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return {Utf8ToUtf16(bytes), "utf-8"};
  return {Windows1252::Decode(bytes), "windows-1252"};
}

// Runs iconv over the whole input; on a byte it cannot convert, onError
// decides what to emit and how many input bytes to skip (0 stops).
template <class OnError>
void Convert(iconv_t cd, std::string_view input, std::string& output, OnError onError) {
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    const std::size_t skip = onError(in, inLeft, errno);
    if (skip == 0 || skip > inLeft) break;
    in += skip;
    inLeft -= skip;
  }
  char* out = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &out, &outLeft);  // a stateful charset's reset
  output.append(buffer, static_cast<std::size_t>(out - buffer));
}

// The converter writes UTF-16 in the machine's own order, straight into
// units the text takes as they are.
constexpr const char* kUnitsCharset =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// Runs the converter over in, or resets it when in is null, appending what
// it writes to text. The converter writes whole characters only, so each
// buffer is taken as it is. Returns what the last call to it returned.
std::size_t ConvertInto(void* converter, char** in, std::size_t* inLeft, std::u16string& text) {
  char16_t buffer[2048];
  std::size_t result = 0;
  do {
    char* out = reinterpret_cast<char*>(buffer);
    std::size_t outLeft = sizeof buffer;
    result = iconv(static_cast<iconv_t>(converter), in, inLeft, &out, &outLeft);
    text.append(buffer, static_cast<std::size_t>(out - reinterpret_cast<char*>(buffer)) / 2);
  } while (result == static_cast<std::size_t>(-1) && errno == E2BIG);
  return result;
}

}  // namespace

std::string CharsetCodec::Normalize(std::string_view charset) {
  std::string out;
  for (char c : charset) {
    if (c == '"' || c == '\'' || c == ' ' || c == '\t') continue;
    if (c == '*') break;  // RFC 2231 language: charset*lang
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return out;
}

CharsetCodec::Reading CharsetCodec::ReadingOf(std::string_view charset) {
  const std::string name = Normalize(charset);
  if (name.empty()) return Reading::Detect;
  if (IsUtf8Label(name)) return Reading::Utf8;
  if (IsWindows1252Label(name)) return Reading::Windows1252;
  return Reading::Converter;
}

DecodedText CharsetCodec::Decode(std::string_view bytes, std::string_view charset) {
  const std::string name = Normalize(charset);
  switch (ReadingOf(name)) {
    case Reading::Detect:
      return DecodeWithoutCharset(bytes);
    case Reading::Utf8:
      return {Utf8ToUtf16(bytes), "utf-8"};
    case Reading::Windows1252:
      return {Windows1252::Decode(bytes), name};
    case Reading::Converter:
      break;
  }
  PieceDecoder decoder(name);
  if (!decoder.HasConverter()) return DecodeWithoutCharset(bytes);
  std::u16string text;
  decoder.Add(bytes, text);
  decoder.Finish(text);
  return {std::move(text), name};
}

struct CharsetCodec::PieceDecoder::State {
  std::unique_ptr<void, IconvCloser> converter;
  std::string pending;  // the start of a character cut by the end of a piece
};

CharsetCodec::PieceDecoder::PieceDecoder(std::string_view charset)
    : state_(std::make_unique<State>()) {
  state_->converter = OpenConverter(kUnitsCharset, Normalize(charset));
}

CharsetCodec::PieceDecoder::~PieceDecoder() = default;

bool CharsetCodec::PieceDecoder::HasConverter() const {
  return state_->converter != nullptr;
}

void CharsetCodec::PieceDecoder::Add(std::string_view piece, std::u16string& text) {
  std::string& pending = state_->pending;
  // Only a piece that ends a cut character is copied to join it.
  std::string_view input = piece;
  if (!pending.empty()) {
    pending += piece;
    input = pending;
  }
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    if (ConvertInto(state_->converter.get(), &in, &inLeft, text) != static_cast<std::size_t>(-1)) {
      continue;
    }
    if (errno != EILSEQ) break;  // a character the piece cuts short: the next one ends it
    text.push_back(u'\uFFFD');   // for a malformed byte, and on
    ++in;
    --inLeft;
  }
  pending = std::string(in, inLeft);
}

void CharsetCodec::PieceDecoder::Finish(std::u16string& text) {
  if (!state_->pending.empty()) text.push_back(u'\uFFFD');
  state_->pending.clear();
  ConvertInto(state_->converter.get(), nullptr, nullptr, text);
}

std::string CharsetCodec::Encode(std::u16string_view text, std::string_view charset,
                                 const Substitute& substitute) {
  const std::string name = Normalize(charset);
  if (name.empty() || IsUtf8Label(name)) return Utf16ToUtf8(text);
  if (IsWindows1252Label(name)) {
    std::string out;
    out.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
      const char32_t codePoint = NextCodePoint(text, index);
      if (auto byte = SingleByte(name, codePoint)) {
        out.push_back(static_cast<char>(*byte));
      } else {
        out += substitute(codePoint);
      }
    }
    return out;
  }
  auto cd = OpenConverter(name, "UTF-8");
  if (!cd) return Utf16ToUtf8(text);
  std::string out;
  out.reserve(text.size());
  iconv_t converter = static_cast<iconv_t>(cd.get());
  const auto convertRun = [&out, &substitute, converter](std::u16string_view run) {
    Convert(converter, Utf16ToUtf8(run), out,
            [&out, &substitute, converter](const char* at, std::size_t left, int) -> std::size_t {
              // Our own UTF-8 is well-formed, so this is one whole character
              // the target lacks. Leave any shift state before the ASCII.
              char buffer[16];
              char* resetOut = buffer;
              std::size_t resetLeft = sizeof buffer;
              iconv(converter, nullptr, nullptr, &resetOut, &resetLeft);
              out.append(buffer, static_cast<std::size_t>(resetOut - buffer));
              const std::u16string one = Utf8ToUtf16(std::string_view(at, left).substr(0, 4));
              std::size_t index = 0;
              const char32_t codePoint = NextCodePoint(one, index);
              out += substitute(codePoint);
              const auto lead = static_cast<unsigned char>(at[0]);
              return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            });
  };
  // In the ISO-2022 charsets ESC, SO and SI only ever begin escape and shift
  // sequences, yet the converter writes them as they are: a text that held
  // one read back as another character set from there on. They are written
  // as characters the charset lacks, each run between them converted on its
  // own (the conversion of a run ends back in ASCII).
  if (name.find("2022") == std::string::npos) {
    convertRun(text);
    return out;
  }
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\x1B' && text[i] != u'\x0E' && text[i] != u'\x0F') continue;
    convertRun(text.substr(runStart, i - runStart));
    out += substitute(text[i]);
    runStart = i + 1;
  }
  convertRun(text.substr(runStart));
  return out;
}

}  // namespace skerrow::maildir
