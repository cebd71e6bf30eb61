// The MIME structure of a raw message as GMime parses it, reduced to what the
// store reads and rewrites: the first text/plain and the first text/html body
// part (kind, charset, transfer encoding, the byte ranges of its header block
// and content in the raw data, the boundaries around it), and the file name
// of every part that carries one. Nothing else is kept, so that a message of
// many parts costs memory for its bodies and names only. Only the first
// 2,000 parts (multiparts and the parts of attached messages counted) are
// looked at, and GMime is given no more of the data than they take.
//
// Data GMime cannot parse as a message at all (no header block) is taken as
// one text/plain part covering everything.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerrow::maildir {

struct MimePart {
  enum class Encoding { None, SevenBit, EightBit, Binary, Base64, QuotedPrintable, Other };

  std::string mediaType;  // lower case, "text"
  std::string subtype;    // lower case, "html"
  std::string charset;    // as declared, may be empty
  Encoding encoding = Encoding::None;
  std::optional<std::u16string> fileName;
  bool attachmentDisposition = false;
  bool attachedMessage = false;  // message/rfc822: its content is not looked into
  bool topLevel = false;         // the part's header block is the message's

  std::size_t headerStart = 0;   // the part's header block
  std::size_t contentStart = 0;  // the content, still transfer-encoded
  std::size_t contentEnd = 0;
  // GMime found no content (the header runs into what follows without its
  // empty line): the empty content is placed where the header ends.
  bool contentMissing = false;
  // Where each Content-Transfer-Encoding field that GMime read for the part
  // begins, in order (GMime keeps the last; a header that runs on past lines
  // that are no field may hold several).
  std::vector<std::size_t> encodingFields;
  // The boundaries of the multiparts around the part, innermost last.
  std::vector<std::string> boundaries;

  bool IsBody(std::string_view wantedSubtype) const {
    return mediaType == "text" && subtype == wantedSubtype && !fileName && !attachmentDisposition;
  }
};

class MimeStructure {
 public:
  static MimeStructure Parse(std::string_view raw);

  // The first text/plain ("plain") or text/html ("html") part that is a
  // body, not an attachment; null without one.
  const MimePart* FindBody(std::string_view subtype) const;
  // False when GMime finds no header block at the start of the data (which
  // is then taken as one text/plain part).
  bool HasHeader() const { return hasHeader_; }
  // The file names of the parts that carry one, in the message's order.
  const std::vector<std::u16string>& FileNames() const { return fileNames_; }
  // The content of a part of raw with its transfer encoding undone (bad
  // base64 or quoted-printable decoded as far as it goes; other encodings
  // are left as they are).
  static std::string DecodeContent(std::string_view raw, const MimePart& part);

  // DecodeContent for content that comes in pieces: what a piece leaves
  // undecided (a base64 group, a quoted-printable escape cut in two) is
  // carried into the next, so the pieces decode as the whole does.
  class ContentDecoder {
   public:
    explicit ContentDecoder(MimePart::Encoding encoding);
    ~ContentDecoder();
    ContentDecoder(const ContentDecoder&) = delete;
    ContentDecoder& operator=(const ContentDecoder&) = delete;
    // The decoded bytes of the next piece, valid until the next call.
    std::string_view Decode(std::string_view piece);

   private:
    struct State;
    std::unique_ptr<State> state_;  // none for content without a transfer encoding
    std::string decoded_;
  };

 private:
  class Walker;

  // Parses raw[0, end) with GMime into structure, the walk reading all of
  // raw; true when the walk stopped at the bound on parts.
  static bool ParseLeading(std::string_view raw, std::size_t end, MimeStructure& structure);

  std::optional<MimePart> plainBody_;
  std::optional<MimePart> htmlBody_;
  std::vector<std::u16string> fileNames_;
  bool hasHeader_ = false;
};

}  // namespace skerrow::maildir
