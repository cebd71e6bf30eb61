#include "host/maildir/MimeStructure.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "host/maildir/GMimeLibrary.h"
#include "host/maildir/HeaderBlock.h"
#include "host/maildir/MimeParameters.h"

namespace skerrow::maildir {

namespace {

struct ObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

std::string Lower(const char* text) {
  std::string out = text != nullptr ? text : "";
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Far more parts and deeper nesting than any real message has: bounds
// against hostile messages. A part beyond the first kMaxParts (multiparts
// and the parts of attached messages counted, in the message's order) is
// not looked at: its name is not listed and it is never a body.
constexpr int kMaxParts = 2000;
constexpr int kMaxDepth = 200;

// The start of the line of raw that follows `count` lines beginning with
// "--", or the end of raw when it has no more of them. Every delimiter of a
// multipart is such a line, so the data before it holds at most `count`
// parts beyond the first.
std::size_t AfterDashLines(std::string_view raw, std::size_t count) {
  std::size_t pos = 0;
  while (pos < raw.size()) {
    if (raw.substr(pos, 2) == "--" && count-- == 0) return pos;
    const std::size_t newline = raw.find('\n', pos);
    if (newline == std::string_view::npos) break;
    pos = newline + 1;
  }
  return raw.size();
}

MimePart::Encoding EncodingOf(GMimeContentEncoding encoding) {
  switch (encoding) {
    case GMIME_CONTENT_ENCODING_7BIT:
      return MimePart::Encoding::SevenBit;
    case GMIME_CONTENT_ENCODING_8BIT:
      return MimePart::Encoding::EightBit;
    case GMIME_CONTENT_ENCODING_BINARY:
      return MimePart::Encoding::Binary;
    case GMIME_CONTENT_ENCODING_BASE64:
      return MimePart::Encoding::Base64;
    case GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE:
      return MimePart::Encoding::QuotedPrintable;
    case GMIME_CONTENT_ENCODING_DEFAULT:
      return MimePart::Encoding::None;
    default:
      return MimePart::Encoding::Other;
  }
}

}  // namespace

class MimeStructure::Walker {
 public:
  Walker(std::string_view raw, MimeStructure& structure) : raw_(raw), structure_(structure) {}

  // Whether the walk came to a part it did not look at for the bound: then
  // nothing after that part in the data made any difference to it.
  bool Bounded() const { return visited_ > kMaxParts; }

  void Walk(GMimeObject* object, bool topLevel, int depth = 0) {
    if (object == nullptr || ++visited_ > kMaxParts || depth > kMaxDepth) return;
    if (GMIME_IS_MULTIPART(object)) {
      auto* multipart = GMIME_MULTIPART(object);
      const char* boundary = g_mime_multipart_get_boundary(multipart);
      boundaries_.push_back(boundary != nullptr ? boundary : "");
      const int count = g_mime_multipart_get_count(multipart);
      for (int i = 0; i < count; ++i) {
        Walk(g_mime_multipart_get_part(multipart, i), false, depth + 1);
      }
      boundaries_.pop_back();
      return;
    }
    MimePart part;
    part.topLevel = topLevel;
    if (GMimeContentType* type = g_mime_object_get_content_type(object)) {
      part.mediaType = Lower(g_mime_content_type_get_media_type(type));
      part.subtype = Lower(g_mime_content_type_get_media_subtype(type));
      const char* charset = g_mime_content_type_get_parameter(type, "charset");
      part.charset = charset != nullptr ? charset : "";
    }
    if (GMIME_IS_MESSAGE_PART(object)) {
      part.attachedMessage = true;
      CountInside(g_mime_message_part_get_message(GMIME_MESSAGE_PART(object)), depth + 1);
    } else if (GMIME_IS_PART(object)) {
      auto* leaf = GMIME_PART(object);
      part.encoding = EncodingOf(g_mime_part_get_content_encoding(leaf));
      if (!LocateContent(leaf, part)) return;
    } else {
      return;
    }
    part.headerStart = topLevel ? 0 : HeaderStart(object, part);
    part.encodingFields = FieldOffsets(object, "Content-Transfer-Encoding");
    if (part.contentMissing && !topLevel) {
      // GMime gives no content to a part whose header (with any lines that
      // are no field) runs straight into the next delimiter: its empty
      // content is right before that delimiter, so that a body written there
      // lands inside the part. Every line GMime read as a field is before it.
      part.contentStart = part.contentEnd = NextDelimiter(std::max(
          HeaderBlock::Parse(raw_, part.headerStart).BodyStart(), LastFieldOffset(object)));
    }
    ReadNames(part);
    Keep(std::move(part));
  }

 private:
  // The parts of an attached message are never looked into, but they count
  // towards the bound as parts in their place: GMime builds them too, and a
  // message of many parts attached to another would otherwise be built whole.
  void CountInside(GMimeMessage* message, int depth) {
    GMimeObject* object = message != nullptr ? g_mime_message_get_mime_part(message) : nullptr;
    CountParts(object, depth);
  }

  void CountParts(GMimeObject* object, int depth) {
    if (object == nullptr || ++visited_ > kMaxParts || depth > kMaxDepth) return;
    if (GMIME_IS_MULTIPART(object)) {
      auto* multipart = GMIME_MULTIPART(object);
      const int count = g_mime_multipart_get_count(multipart);
      for (int i = 0; i < count && visited_ <= kMaxParts; ++i) {
        CountParts(g_mime_multipart_get_part(multipart, i), depth + 1);
      }
    } else if (GMIME_IS_MESSAGE_PART(object)) {
      CountInside(g_mime_message_part_get_message(GMIME_MESSAGE_PART(object)), depth + 1);
    }
  }

  bool LocateContent(GMimePart* leaf, MimePart& part) const {
    GMimeDataWrapper* wrapper = g_mime_part_get_content(leaf);
    GMimeStream* stream = wrapper != nullptr ? g_mime_data_wrapper_get_stream(wrapper) : nullptr;
    if (stream == nullptr) {
      part.contentStart = part.contentEnd = raw_.size();
      part.contentMissing = true;
      return true;
    }
    const gint64 start = stream->bound_start;
    const gint64 end = stream->bound_end < 0 ? static_cast<gint64>(raw_.size()) : stream->bound_end;
    if (start < 0 || start > end || end > static_cast<gint64>(raw_.size())) return false;
    part.contentStart = static_cast<std::size_t>(start);
    part.contentEnd = static_cast<std::size_t>(end);
    return true;
  }

  // A delimiter line as GMime takes one: "--", the boundary, "--" when it
  // closes the multipart, then nothing but blanks. A line that merely begins
  // so is no delimiter (GMime reads it as a field, or skips it).
  static bool IsDelimiter(std::string_view line, std::string_view boundary) {
    if (!line.starts_with("--") || !line.substr(2).starts_with(boundary)) return false;
    std::string_view rest = line.substr(2 + boundary.size());
    if (rest.starts_with("--")) rest.remove_prefix(2);
    return rest.find_first_not_of(" \t\r") == std::string_view::npos;
  }

  // The start of the first line from `from` on that is a delimiter of one of
  // the multiparts around the part, or the end of the message.
  std::size_t NextDelimiter(std::size_t from) const {
    for (std::size_t pos = from; pos < raw_.size();) {
      const std::size_t newline = raw_.find('\n', pos);
      const std::string_view line = raw_.substr(
          pos, newline == std::string_view::npos ? std::string_view::npos : newline - pos);
      for (std::string_view boundary : boundaries_) {
        if (IsDelimiter(line, boundary)) return pos;
      }
      if (newline == std::string_view::npos) break;
      pos = newline + 1;
    }
    return raw_.size();
  }

  // Calls visit(name, offset) for each field GMime read for the part whose
  // offset lies in the data, in GMime's order.
  template <class Visit>
  void ForEachField(GMimeObject* object, Visit visit) const {
    GMimeHeaderList* headers = g_mime_object_get_header_list(object);
    const int count = headers != nullptr ? g_mime_header_list_get_count(headers) : 0;
    for (int i = 0; i < count; ++i) {
      GMimeHeader* header = g_mime_header_list_get_header_at(headers, i);
      const char* name = g_mime_header_get_name(header);
      const gint64 offset = g_mime_header_get_offset(header);
      if (offset >= 0 && offset < static_cast<gint64>(raw_.size())) {
        visit(std::string_view(name != nullptr ? name : ""), static_cast<std::size_t>(offset));
      }
    }
  }

  // Where each field of this name that GMime read for the part begins.
  std::vector<std::size_t> FieldOffsets(GMimeObject* object, std::string_view name) const {
    std::vector<std::size_t> offsets;
    ForEachField(object, [&](std::string_view fieldName, std::size_t offset) {
      if (HeaderBlock::NamesEqual(fieldName, name)) offsets.push_back(FieldFrom(offset));
    });
    return offsets;
  }

  // The start of the first line from a header offset GMime gives on that is
  // a field. GMime gives the first field after lines that open a header but
  // are no field the offset of those lines; the offset as it is where no
  // field follows before the header's empty line.
  std::size_t FieldFrom(std::size_t offset) const {
    for (std::size_t pos = offset; pos < raw_.size();) {
      const HeaderBlock block = HeaderBlock::Parse(raw_, pos);
      if (!block.Fields().empty() && block.Fields().front().start == pos) return pos;
      if (block.HasEmptyLine() && block.InsertAt() == pos) break;
      const std::size_t newline = raw_.find('\n', pos);
      if (newline == std::string_view::npos) break;
      pos = newline + 1;
    }
    return offset;
  }

  // The offset of the last field GMime read for the part (0 without one).
  std::size_t LastFieldOffset(GMimeObject* object) const {
    std::size_t last = 0;
    ForEachField(object,
                 [&](std::string_view, std::size_t offset) { last = std::max(last, offset); });
    return last;
  }

  // The first header's offset, or the empty line just before the content
  // when the part has no header at all.
  std::size_t HeaderStart(GMimeObject* object, const MimePart& part) const {
    std::optional<std::size_t> first;
    ForEachField(object, [&](std::string_view, std::size_t offset) {
      if (!first || offset < *first) first = offset;
    });
    if (first && (part.attachedMessage || *first <= part.contentStart)) return *first;
    std::size_t pos = part.contentStart;
    if (pos > 0 && raw_[pos - 1] == '\n') --pos;
    if (pos > 0 && raw_[pos - 1] == '\r') --pos;
    return pos;
  }

  void Keep(MimePart part) {
    if (part.fileName) structure_.fileNames_.push_back(*part.fileName);
    for (auto [subtype, body] :
         {std::pair{"plain", &structure_.plainBody_}, std::pair{"html", &structure_.htmlBody_}}) {
      if (*body || !part.IsBody(subtype)) continue;
      // Only a kept body pays for the boundaries around it (the rewriter's).
      part.boundaries.assign(boundaries_.begin(), boundaries_.end());
      *body = std::move(part);
      return;
    }
  }

  void ReadNames(MimePart& part) const {
    const HeaderBlock block = HeaderBlock::Parse(raw_, part.headerStart);
    const HeaderField* disposition = block.Find("Content-Disposition");
    const HeaderField* contentType = block.Find("Content-Type");
    if (disposition != nullptr) {
      part.attachmentDisposition = MimeParameters::Disposition(disposition->value) == "attachment";
      part.fileName = MimeParameters::Get(disposition->value, "filename");
    }
    if (!part.fileName && contentType != nullptr) {
      part.fileName = MimeParameters::Get(contentType->value, "name");
    }
  }

  std::string_view raw_;
  MimeStructure& structure_;
  // The boundaries of the multiparts around the part being walked, as GMime
  // holds them while the walk lasts.
  std::vector<std::string_view> boundaries_;
  int visited_ = 0;
};

MimeStructure MimeStructure::Parse(std::string_view raw) {
  EnsureGMimeInitialized();
  // GMime builds every part of the data it is given, at a kilobyte or more
  // a part whatever the part's size, and the walk looks at kMaxParts of
  // them. Parsing reads forward, so a leading piece of the data gives the
  // parts that end inside it exactly as the whole does: a piece that holds
  // the parts the walk looks at, and one more, is enough. A piece whose
  // walk stops short of the bound (lines of "--" that are no delimiters) is
  // taken again, larger, up to the whole message.
  for (std::size_t lines = kMaxParts + 1;; lines *= 8) {
    const std::size_t end = AfterDashLines(raw, lines);
    MimeStructure structure;
    if (ParseLeading(raw, end, structure) || end == raw.size()) return structure;
  }
}

bool MimeStructure::ParseLeading(std::string_view raw, std::size_t end, MimeStructure& structure) {
  GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(raw.data(), end));
  GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
  g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
  GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
  GMimeObject* body = message ? g_mime_message_get_mime_part(message.get()) : nullptr;
  if (body == nullptr) {
    MimePart whole;
    whole.mediaType = "text";
    whole.subtype = "plain";
    whole.topLevel = true;
    // Where the store's header scan ends the header, also when GMime found
    // none (a header that runs into a line that is neither a field nor
    // empty): a rewritten subject must never become body text.
    whole.contentStart = HeaderBlock::Parse(raw).BodyStart();
    whole.contentEnd = raw.size();
    structure.plainBody_ = std::move(whole);
    return false;
  }
  structure.hasHeader_ = true;
  // The walker reads the whole data: what it looks up beyond the piece
  // (the delimiter after a part without content) is as the whole has it.
  Walker walker(raw, structure);
  walker.Walk(body, true);
  return walker.Bounded();
}

const MimePart* MimeStructure::FindBody(std::string_view subtype) const {
  const std::optional<MimePart>& body = subtype == "html" ? htmlBody_ : plainBody_;
  return body && body->IsBody(subtype) ? &*body : nullptr;
}

std::string MimeStructure::DecodeContent(std::string_view raw, const MimePart& part) {
  ContentDecoder decoder(part.encoding);
  return std::string(
      decoder.Decode(raw.substr(part.contentStart, part.contentEnd - part.contentStart)));
}

struct MimeStructure::ContentDecoder::State {
  GMimeEncoding encoding;
};

MimeStructure::ContentDecoder::ContentDecoder(MimePart::Encoding encoding) {
  // Other encodings are left as they are.
  if (encoding != MimePart::Encoding::Base64 && encoding != MimePart::Encoding::QuotedPrintable) {
    return;
  }
  EnsureGMimeInitialized();
  state_ = std::make_unique<State>();
  g_mime_encoding_init_decode(&state_->encoding, encoding == MimePart::Encoding::Base64
                                                     ? GMIME_CONTENT_ENCODING_BASE64
                                                     : GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
}

MimeStructure::ContentDecoder::~ContentDecoder() = default;

std::string_view MimeStructure::ContentDecoder::Decode(std::string_view piece) {
  if (!state_) return piece;
  // Bad base64 or quoted-printable is decoded as far as it goes.
  decoded_.resize(g_mime_encoding_outlen(&state_->encoding, piece.size()) + 16);
  const std::size_t length =
      g_mime_encoding_step(&state_->encoding, piece.data(), piece.size(), decoded_.data());
  return std::string_view(decoded_).substr(0, std::min(length, decoded_.size()));
}

}  // namespace skerrow::maildir
