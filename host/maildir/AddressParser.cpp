#include "host/maildir/AddressParser.h"

#include <algorithm>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/EncodedWordDecoder.h"

namespace skerrow::maildir {

namespace {

// Far longer than any address or display name a mail system passes on (a
// path is at most 256 octets): what goes beyond is dropped, so that a hostile
// header cannot swell the summary it is read into.
constexpr std::size_t kMaxText = 4096;

void AppendCapped(std::string& text, std::string_view more) {
  if (text.size() < kMaxText) text.append(more.substr(0, kMaxText - text.size()));
}

// What one mailbox has gathered so far.
struct Mailbox {
  std::string phrase;  // raw words and quoted texts, blank-separated
  bool phraseHasAt = false;
  std::string comment;  // the last comment's text
  std::string angle;    // the text inside <...>
  bool hasAngle = false;

  bool Empty() const { return phrase.empty() && !hasAngle; }

  void AppendWord(std::string_view word, bool blankBefore) {
    if (!phrase.empty() && blankBefore) AppendCapped(phrase, " ");
    AppendCapped(phrase, word);
    phraseHasAt = phraseHasAt || word.find('@') != std::string_view::npos;
  }
};

std::string RemoveBlanks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out.push_back(c);
  }
  return out;
}

class Scanner {
 public:
  explicit Scanner(std::string_view raw) : raw_(raw) {}

  std::vector<MailAddress> Run() {
    bool blankBefore = false;
    while (pos_ < raw_.size()) {
      const char c = raw_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        blankBefore = true;
        ++pos_;
        continue;
      }
      if (c == '"') {
        current_.AppendWord(QuotedText(), blankBefore);
      } else if (c == '(') {
        current_.comment = CommentText();
      } else if (c == '<') {
        current_.angle = AngleText();
        current_.hasAngle = true;
      } else if (c == ',') {
        Finish();
        ++pos_;
      } else if (c == ':' && !current_.hasAngle && !current_.phraseHasAt) {
        current_ = Mailbox{};  // a group's name; its members follow
        ++pos_;
      } else if (c == ';') {
        Finish();
        ++pos_;
      } else {
        current_.AppendWord(Atom(), blankBefore);
      }
      blankBefore = false;
    }
    Finish();
    return std::move(out_);
  }

 private:
  std::string QuotedText() {
    std::string text;
    ++pos_;
    if (raw_.find('"', pos_) == std::string_view::npos) return text;  // a stray quote
    while (pos_ < raw_.size() && raw_[pos_] != '"') {
      if (raw_[pos_] == '\\' && pos_ + 1 < raw_.size()) ++pos_;
      if (raw_[pos_] != '\r' && raw_[pos_] != '\n') AppendCapped(text, raw_.substr(pos_, 1));
      ++pos_;
    }
    ++pos_;  // the closing quote, if any
    return text;
  }

  std::string CommentText() {
    std::string text;
    int depth = 0;
    while (pos_ < raw_.size()) {
      const char c = raw_[pos_++];
      if (c == '\\' && pos_ < raw_.size()) {
        AppendCapped(text, raw_.substr(pos_++, 1));
        continue;
      }
      if (c == '(') {
        if (depth++ == 0) continue;
      } else if (c == ')') {
        if (--depth == 0) break;
      }
      if (c != '\r' && c != '\n') AppendCapped(text, std::string_view(&c, 1));
    }
    return text;
  }

  std::string AngleText() {
    ++pos_;
    const std::size_t close = raw_.find('>', pos_);
    const std::size_t end = close == std::string_view::npos ? raw_.size() : close;
    std::string text(raw_.substr(pos_, std::min(end - pos_, kMaxText)));
    pos_ = close == std::string_view::npos ? raw_.size() : close + 1;
    // A source route "@a,@b:addr" keeps only the address.
    const std::size_t colon = text.find(':');
    if (!text.empty() && text[0] == '@' && colon != std::string::npos) text.erase(0, colon + 1);
    return RemoveBlanks(text);
  }

  std::string_view Atom() {
    const std::size_t start = pos_;
    bool sawAt = false;
    while (pos_ < raw_.size()) {
      const char c = raw_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '(' || c == '<' ||
          c == ',' || c == ';') {
        break;
      }
      // A colon ends a group's name, but not inside an address or a URL.
      if (c == ':' && !sawAt && raw_.substr(pos_, 2) != ":/") break;
      sawAt = sawAt || c == '@';
      ++pos_;
    }
    if (pos_ == start) ++pos_;  // a lone special character: skip it
    return raw_.substr(start, pos_ - start);
  }

  void Finish() {
    Mailbox box = std::move(current_);
    current_ = Mailbox{};
    if (box.Empty()) return;
    MailAddress address;
    if (box.hasAngle) {
      address.address = CharsetCodec::Decode(box.angle, "").text;
      address.name = EncodedWordDecoder::Decode(box.phrase);
      if (address.name.empty()) address.name = EncodedWordDecoder::Decode(box.comment);
    } else {
      address.address = CharsetCodec::Decode(RemoveBlanks(box.phrase), "").text;
      address.name = EncodedWordDecoder::Decode(box.comment);
    }
    if (address.address.empty() && address.name.empty()) return;
    out_.push_back(std::move(address));
  }

  std::string_view raw_;
  std::size_t pos_ = 0;
  Mailbox current_;
  std::vector<MailAddress> out_;
};

}  // namespace

std::vector<MailAddress> AddressParser::Parse(std::string_view raw) {
  return Scanner(raw).Run();
}

}  // namespace skerrow::maildir
