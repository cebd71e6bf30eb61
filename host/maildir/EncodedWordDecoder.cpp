#include "host/maildir/EncodedWordDecoder.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/HexEscapes.h"
#include "host/maildir/TransferEncoding.h"

namespace skerrow::maildir {

namespace {

struct Segment {
  bool encoded = false;
  std::string charset;       // encoded words only, normalized
  std::string bytes;         // encoded words: the payload decoded
  std::string_view literal;  // other text: a piece of the header as it is
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

// The next "?=" (or the next blank) at or after a place, each stretch of the
// text searched about once: the candidates of one text share the search, so
// that many "=?" without a closing "?=" cost one pass over the text rather
// than one pass each. Successive places mostly grow; when one falls back
// (a shorter charset name after a longer one), it falls back by less than a
// candidate's head, and only that stretch is searched again.
class SharedSearch {
 public:
  SharedSearch(std::string_view text, std::string_view needle, bool anyOf)
      : text_(text), needle_(needle), anyOf_(anyOf) {}

  std::size_t From(std::size_t pos) {
    if (known_ && pos >= from_ && (at_ == kNone || at_ >= pos)) return at_;
    if (known_ && pos < from_) {
      const std::size_t tail = anyOf_ ? 0 : needle_.size() - 1;
      const std::size_t near = Search(text_.substr(0, std::min(text_.size(), from_ + tail)), pos);
      return near != kNone ? near : at_;
    }
    known_ = true;
    from_ = pos;
    at_ = Search(text_, pos);
    return at_;
  }

 private:
  static constexpr std::size_t kNone = std::string_view::npos;

  std::size_t Search(std::string_view within, std::size_t pos) const {
    return anyOf_ ? within.find_first_of(needle_, pos) : within.find(needle_, pos);
  }

  std::string_view text_;
  std::string_view needle_;
  bool anyOf_;
  bool known_ = false;
  std::size_t from_ = 0;
  std::size_t at_ = kNone;
};

struct Landmarks {
  explicit Landmarks(std::string_view text) : close(text, "?=", false), blank(text, " \t", true) {}
  SharedSearch close;
  SharedSearch blank;
};

// An encoded word "=?charset?B|Q?text?=" starting at start, if there is one.
std::optional<EncodedWord> ParseEncodedWord(std::string_view text, std::size_t start,
                                            Landmarks& landmarks) {
  constexpr std::size_t kMaxCharsetLength = 64;
  std::size_t pos = start + 2;
  const std::size_t charsetEnd =
      text.substr(0, std::min(text.size(), pos + kMaxCharsetLength + 1)).find('?', pos);
  if (charsetEnd == std::string_view::npos || charsetEnd == pos) return std::nullopt;
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
  const std::size_t payloadEnd = landmarks.close.From(pos);
  if (payloadEnd == std::string_view::npos) return std::nullopt;
  if (landmarks.blank.From(pos) < payloadEnd) return std::nullopt;
  const std::string_view payload = text.substr(pos, payloadEnd - pos);
  EncodedWord word;
  word.charset = CharsetCodec::Normalize(charset);
  word.bytes = (encoding == 'B' || encoding == 'b') ? TransferEncoding::DecodeBase64(payload)
                                                    : DecodeQ(payload);
  word.end = payloadEnd + 2;
  return word;
}

std::vector<Segment> Split(std::string_view text) {
  std::vector<Segment> segments;
  std::size_t literalStart = 0;
  const auto flushLiteral = [&](std::size_t end) {
    if (end > literalStart)
      segments.push_back({false, {}, {}, text.substr(literalStart, end - literalStart)});
  };
  Landmarks landmarks(text);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t candidate = text.find("=?", pos);
    if (candidate == std::string_view::npos) break;
    auto word = ParseEncodedWord(text, candidate, landmarks);
    if (!word) {
      pos = candidate + 2;
      continue;
    }
    flushLiteral(candidate);
    segments.push_back({true, std::move(word->charset), std::move(word->bytes), {}});
    pos = literalStart = word->end;
  }
  flushLiteral(text.size());
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
  // The text is copied only when there are line breaks or NULs to drop.
  std::string unfolded;
  std::string_view text = raw;
  if (raw.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
    unfolded.reserve(raw.size());
    for (char c : raw) {
      if (c != '\r' && c != '\n' && c != '\0') unfolded.push_back(c);
    }
    text = unfolded;
  }
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  std::vector<Segment> segments = Split(text);
  std::u16string out;
  const auto append = [&out](std::u16string decoded) {
    if (out.empty()) {
      out = std::move(decoded);
    } else {
      out += decoded;
    }
  };
  for (std::size_t i = 0; i < segments.size(); ++i) {
    Segment& segment = segments[i];
    if (!segment.encoded) {
      const bool betweenWords = i > 0 && i + 1 < segments.size() && segments[i - 1].encoded &&
                                segments[i + 1].encoded && IsAllBlank(segment.literal);
      if (!betweenWords) append(CharsetCodec::Decode(segment.literal, "").text);
      continue;
    }
    // Join the payloads of the following words in the same charset, with
    // only blanks between them.
    std::string bytes = std::move(segment.bytes);
    while (true) {
      std::size_t next = i + 1;
      if (next < segments.size() && !segments[next].encoded && IsAllBlank(segments[next].literal)) {
        ++next;
      }
      if (next >= segments.size() || !segments[next].encoded ||
          segments[next].charset != segment.charset) {
        break;
      }
      bytes += segments[next].bytes;
      i = next;
    }
    append(CharsetCodec::Decode(bytes, segment.charset).text);
  }
  std::erase(out, u'\0');
  return out;
}

}  // namespace skerrow::maildir
