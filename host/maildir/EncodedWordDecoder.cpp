#include "host/maildir/EncodedWordDecoder.h"

#include <optional>
#include <vector>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/HexEscapes.h"
#include "host/maildir/TransferEncoding.h"

namespace skerrow::maildir {

namespace {

struct Segment {
  bool encoded = false;
  std::string charset;  // encoded words only, normalized
  std::string bytes;    // the payload decoded, or the literal text
};

struct EncodedWord {
  std::string charset;
  std::string bytes;
  std::size_t end = 0;  // just past the closing "?="
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string DecodeQ(std::string_view text) {
  return DecodeHexEscapes(text, '=', true);
}

// An encoded word "=?charset?B|Q?text?=" starting at start, if there is one.
std::optional<EncodedWord> ParseEncodedWord(std::string_view text, std::size_t start) {
  std::size_t pos = start + 2;
  const std::size_t charsetEnd = text.find('?', pos);
  if (charsetEnd == std::string_view::npos || charsetEnd == pos || charsetEnd - pos > 64) {
    return std::nullopt;
  }
  const std::string_view charset = text.substr(pos, charsetEnd - pos);
  for (char c : charset) {
    if (IsBlank(c) || c == '=') return std::nullopt;
  }
  pos = charsetEnd + 1;
  if (pos + 1 >= text.size() || text[pos + 1] != '?') return std::nullopt;
  const char encoding = text[pos];
  if (encoding != 'B' && encoding != 'b' && encoding != 'Q' && encoding != 'q') {
    return std::nullopt;
  }
  pos += 2;
  const std::size_t payloadEnd = text.find("?=", pos);
  if (payloadEnd == std::string_view::npos) return std::nullopt;
  const std::string_view payload = text.substr(pos, payloadEnd - pos);
  for (char c : payload) {
    if (IsBlank(c)) return std::nullopt;
  }
  EncodedWord word;
  word.charset = CharsetCodec::Normalize(charset);
  word.bytes = (encoding == 'B' || encoding == 'b') ? TransferEncoding::DecodeBase64(payload)
                                                    : DecodeQ(payload);
  word.end = payloadEnd + 2;
  return word;
}

std::vector<Segment> Split(std::string_view text) {
  std::vector<Segment> segments;
  std::string literal;
  const auto flushLiteral = [&] {
    if (literal.empty()) return;
    segments.push_back({false, {}, std::move(literal)});
    literal.clear();
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t candidate = text.find("=?", pos);
    if (candidate == std::string_view::npos) {
      literal.append(text.substr(pos));
      break;
    }
    auto word = ParseEncodedWord(text, candidate);
    if (!word) {
      literal.append(text.substr(pos, candidate + 2 - pos));
      pos = candidate + 2;
      continue;
    }
    literal.append(text.substr(pos, candidate - pos));
    flushLiteral();
    segments.push_back({true, std::move(word->charset), std::move(word->bytes)});
    pos = word->end;
  }
  flushLiteral();
  return segments;
}

bool IsAllBlank(std::string_view text) {
  for (char c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

std::u16string EncodedWordDecoder::Decode(std::string_view raw) {
  std::string unfolded;
  unfolded.reserve(raw.size());
  for (char c : raw) {
    if (c != '\r' && c != '\n' && c != '\0') unfolded.push_back(c);
  }
  std::size_t first = 0;
  while (first < unfolded.size() && IsBlank(unfolded[first])) ++first;
  std::size_t last = unfolded.size();
  while (last > first && IsBlank(unfolded[last - 1])) --last;
  const std::string_view text = std::string_view(unfolded).substr(first, last - first);

  std::vector<Segment> segments = Split(text);
  std::u16string out;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    Segment& segment = segments[i];
    if (!segment.encoded) {
      const bool betweenWords = i > 0 && i + 1 < segments.size() && segments[i - 1].encoded &&
                                segments[i + 1].encoded && IsAllBlank(segment.bytes);
      if (!betweenWords) out += CharsetCodec::Decode(segment.bytes, "").text;
      continue;
    }
    // Join the payloads of the following words in the same charset, with
    // only blanks between them.
    std::string bytes = std::move(segment.bytes);
    while (true) {
      std::size_t next = i + 1;
      if (next < segments.size() && !segments[next].encoded && IsAllBlank(segments[next].bytes)) {
        ++next;
      }
      if (next >= segments.size() || !segments[next].encoded ||
          segments[next].charset != segment.charset) {
        break;
      }
      bytes += segments[next].bytes;
      i = next;
    }
    out += CharsetCodec::Decode(bytes, segment.charset).text;
  }
  std::u16string clean;
  clean.reserve(out.size());
  for (char16_t c : out) {
    if (c != 0) clean.push_back(c);
  }
  return clean;
}

}  // namespace skerrow::maildir
