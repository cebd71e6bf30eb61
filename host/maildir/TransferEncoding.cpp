#include "host/maildir/TransferEncoding.h"

namespace skerrow::maildir {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHex[] = "0123456789ABCDEF";

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string TransferEncoding::DecodeBase64(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3 / 4);
  unsigned buffer = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const int value = Base64Value(c);
    if (value < 0) continue;
    buffer = (buffer << 6) | static_cast<unsigned>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((buffer >> bits) & 0xFF));
    }
  }
  return out;
}

std::string TransferEncoding::EncodeBase64(std::string_view bytes, std::string_view eol,
                                           std::size_t lineLength) {
  std::string out;
  out.reserve(bytes.size() * 4 / 3 + bytes.size() / 57 * eol.size() + 8);
  std::size_t column = 0;
  const auto put = [&](char c) {
    out.push_back(c);
    if (lineLength != 0 && ++column == lineLength) {
      out += eol;
      column = 0;
    }
  };
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned group = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
    put(kAlphabet[(group >> 18) & 63]);
    put(kAlphabet[(group >> 12) & 63]);
    put(kAlphabet[(group >> 6) & 63]);
    put(kAlphabet[group & 63]);
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    put(kAlphabet[(group >> 18) & 63]);
    put(kAlphabet[(group >> 12) & 63]);
    put(rest == 2 ? kAlphabet[(group >> 6) & 63] : '=');
    put('=');
  }
  if (lineLength != 0 && column != 0) out += eol;
  return out;
}

std::string TransferEncoding::EncodeQuotedPrintable(std::string_view bytes, std::string_view eol) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  std::string line;
  const auto flushSoft = [&] {
    out += line;
    out += '=';
    out += eol;
    line.clear();
  };
  const auto putEncoded = [&](unsigned char byte) {
    if (line.size() + 3 > 75) flushSoft();
    line += '=';
    line += kHex[byte >> 4];
    line += kHex[byte & 15];
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const bool crlf = byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (byte == '\n' || crlf) {
      // Blanks before a hard break would be stripped in transit: encode them.
      if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        const auto blank = static_cast<unsigned char>(line.back());
        line.pop_back();
        putEncoded(blank);
      }
      out += line;
      out += eol;
      line.clear();
      if (crlf) ++i;
      continue;
    }
    if (line.size() + 1 > 75) flushSoft();
    // A line starting with "-", "." or "From " is written encoded, so that no
    // encoded line can be read as a boundary, an SMTP end or an mbox mark.
    const bool risky = line.empty() && (byte == '-' || byte == '.' ||
                                        bytes.substr(i, 5) == std::string_view("From "));
    if (byte == '=' || (byte < 32 && byte != '\t') || byte > 126 || risky) {
      putEncoded(byte);
    } else {
      line += static_cast<char>(byte);
    }
  }
  if (!line.empty()) {
    if (line.back() == ' ' || line.back() == '\t') {
      const auto blank = static_cast<unsigned char>(line.back());
      line.pop_back();
      putEncoded(blank);
    }
    out += line;
  }
  return out;
}

}  // namespace skerrow::maildir
