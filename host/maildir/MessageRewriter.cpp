#include "host/maildir/MessageRewriter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/EncodedWordEncoder.h"
#include "host/maildir/HeaderBlock.h"
#include "host/maildir/MimeStructure.h"
#include "host/maildir/TransferEncoding.h"

namespace skerrow::maildir {

namespace {

struct Splice {
  std::size_t start = 0;
  std::size_t end = 0;  // replaced range [start, end)
  std::string text;
};

std::string_view EndingOf(std::string_view raw, const HeaderField& field) {
  if (field.end >= 2 && raw[field.end - 1] == '\n' && raw[field.end - 2] == '\r') return "\r\n";
  if (field.end >= 1 && raw[field.end - 1] == '\n') return "\n";
  return "";
}

// A field inserted at `at` goes on a line of its own: after a last line
// that ends without a line break, it needs one first.
std::string LineBreakBefore(std::string_view raw, std::size_t at, std::string_view eol) {
  return at > 0 && raw[at - 1] != '\n' ? std::string(eol) : std::string();
}

Splice SubjectSplice(std::string_view raw, const std::u16string& subject, std::string_view eol) {
  const HeaderBlock block = HeaderBlock::Parse(raw);
  if (const HeaderField* field = block.Find("Subject")) {
    const std::string_view ending = EndingOf(raw, *field);
    std::string text(field->name);
    text += ": ";
    text +=
        EncodedWordEncoder::Encode(subject, field->name.size() + 2, ending.empty() ? eol : ending);
    text += ending;
    return {field->start, field->end, std::move(text)};
  }
  std::string text = LineBreakBefore(raw, block.InsertAt(), eol) +
                     "Subject: " + EncodedWordEncoder::Encode(subject, 9, eol);
  text += eol;
  // Data that does not begin with a header block gets one, with the empty
  // line that keeps the old text the body. GMime has the last word: it takes
  // a first line "From :x" as a field and reads on past lines that are no
  // field, where the store's scan sees no header.
  if (block.Fields().empty() && !block.HasEmptyLine() && !MimeStructure::Parse(raw).HasHeader()) {
    text += eol;
  }
  return {block.InsertAt(), block.InsertAt(), std::move(text)};
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Line breaks (CRLF or a lone LF) as eol.
std::string WithLineEndings(std::string_view bytes, std::string_view eol) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (bytes[i] == '\n') {
      out += eol;
    } else {
      out.push_back(bytes[i]);
    }
  }
  return out;
}

// True when a line of the text would read as the delimiter of one of the
// multiparts around the part.
bool HitsBoundary(std::string_view text, const std::vector<std::string>& boundaries) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    const std::string_view line = text.substr(
        pos, newline == std::string_view::npos ? std::string_view::npos : newline - pos);
    if (line.substr(0, 2) == "--") {
      for (const std::string& boundary : boundaries) {
        if (line.substr(2, boundary.size()) == boundary) return true;
      }
    }
    if (newline == std::string_view::npos) break;
    pos = newline + 1;
  }
  return false;
}

bool EndsWithLineBreak(std::string_view text) {
  return !text.empty() && text.back() == '\n';
}

// What must come between a header and new content for the content to read
// as such: nothing after the header's empty line, else the empty line (and
// the end of the header's last line, when it has none).
std::string MissingEmptyLine(std::string_view before, std::string_view eol) {
  if (before.empty() || before.ends_with("\n\n") || before.ends_with("\n\r\n")) return {};
  std::string lines(eol);
  if (!before.ends_with('\n')) lines += eol;
  return lines;
}

std::string CharacterReference(char32_t codePoint) {
  return "&#" + std::to_string(static_cast<unsigned long>(codePoint)) + ";";
}

// Declares base64 for the part: every Content-Transfer-Encoding field that
// GMime read for it says so (any one left as it was could be the one a
// reader keeps), or a new one goes at the end of its header. Null when a
// field GMime read is not where it says: the content would be read in the
// old encoding.
std::optional<std::vector<Splice>> EncodingFieldSplices(std::string_view raw, const MimePart& part,
                                                        std::string_view eol) {
  constexpr std::string_view kField = "Content-Transfer-Encoding: base64";
  std::vector<Splice> splices;
  for (const std::size_t offset : part.encodingFields) {
    const HeaderBlock block = HeaderBlock::Parse(raw, offset);
    if (block.Fields().empty() || block.Fields().front().start != offset ||
        !HeaderBlock::NamesEqual(block.Fields().front().name, "Content-Transfer-Encoding")) {
      return std::nullopt;
    }
    const HeaderField& old = block.Fields().front();
    const std::string_view ending = EndingOf(raw, old);
    splices.push_back(
        {old.start, old.end, std::string(kField) + std::string(ending.empty() ? eol : ending)});
  }
  if (splices.empty()) {
    const HeaderBlock block = HeaderBlock::Parse(raw, part.headerStart);
    splices.push_back(
        {block.InsertAt(), block.InsertAt(),
         LineBreakBefore(raw, block.InsertAt(), eol) + std::string(kField) + std::string(eol)});
  }
  return splices;
}

Result<std::vector<Splice>> HtmlSplices(std::string_view raw, const std::u16string& html,
                                        std::string_view eol) {
  const MimeStructure structure = MimeStructure::Parse(raw);
  const MimePart* part = structure.FindBody("html");
  if (part == nullptr) return Fail<std::vector<Splice>>(hr::kNotImpl);

  // The charset the old content was actually read in, so that the new
  // content reads back the same way.
  const std::string charset =
      CharsetCodec::Decode(MimeStructure::DecodeContent(raw, *part), part->charset).charset;
  const std::string bytes = CharsetCodec::Encode(html, charset, CharacterReference);

  const std::string_view oldContent =
      raw.substr(part->contentStart, part->contentEnd - part->contentStart);
  const bool endsWithBreak = EndsWithLineBreak(oldContent);

  std::string content;
  bool toBase64 = false;
  switch (part->encoding) {
    case MimePart::Encoding::Base64:
      toBase64 = true;
      break;
    case MimePart::Encoding::QuotedPrintable:
      content = TransferEncoding::EncodeQuotedPrintable(bytes, eol);
      toBase64 = HitsBoundary(content, part->boundaries);
      break;
    case MimePart::Encoding::None:
    case MimePart::Encoding::SevenBit:
    case MimePart::Encoding::EightBit:
    case MimePart::Encoding::Binary: {
      content = WithLineEndings(bytes, eol);
      const bool sevenBit = part->encoding == MimePart::Encoding::None ||
                            part->encoding == MimePart::Encoding::SevenBit;
      toBase64 = (sevenBit && !IsAscii(content)) || HitsBoundary(content, part->boundaries);
      break;
    }
    case MimePart::Encoding::Other:
      toBase64 = true;
      break;
  }
  if (toBase64) {
    content = TransferEncoding::EncodeBase64(bytes, eol);
    // The break after the last base64 line is not data: in a multipart the
    // one before the next delimiter belongs to the delimiter.
    if (!endsWithBreak && EndsWithLineBreak(content)) content.resize(content.size() - eol.size());
  }
  if (endsWithBreak && !EndsWithLineBreak(content)) content += eol;
  // The header's empty line, where the part's header runs into its content
  // without one; and content written where there was none, right before the
  // next delimiter, gets a line break of its own, so that the delimiter
  // stays at the start of its line.
  content.insert(0, MissingEmptyLine(raw.substr(0, part->contentStart), eol));
  if (oldContent.empty() && part->contentEnd < raw.size() && !EndsWithLineBreak(content)) {
    const std::string_view before = raw.substr(0, part->contentStart);
    content += before.ends_with("\r\n") ? std::string_view("\r\n") : eol;
  }

  std::vector<Splice> splices;
  if (toBase64 && part->encoding != MimePart::Encoding::Base64) {
    auto fields = EncodingFieldSplices(raw, *part, eol);
    if (!fields) return Fail<std::vector<Splice>>(hr::kFail);
    splices.insert(splices.end(), fields->begin(), fields->end());
  }
  splices.push_back({part->contentStart, part->contentEnd, std::move(content)});
  return Ok(std::move(splices));
}

}  // namespace

Result<std::string> MessageRewriter::Apply(std::string_view raw, const MessageEdits& edits) {
  const std::string_view eol = HeaderBlock::LineEnding(raw);
  // Insertions at one place keep this order: the header's fields before the
  // content (a header that ends the file puts all of them there).
  std::vector<Splice> splices;
  if (edits.subject) splices.push_back(SubjectSplice(raw, *edits.subject, eol));
  if (edits.htmlBody) {
    auto html = HtmlSplices(raw, *edits.htmlBody, eol);
    if (!html.ok()) return Fail<std::string>(html.status);
    splices.insert(splices.end(), html.value.begin(), html.value.end());
  }
  std::stable_sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
    return a.start != b.start ? a.start < b.start : a.end < b.end;
  });

  std::string out;
  out.reserve(raw.size() + 256);
  std::size_t pos = 0;
  for (const Splice& splice : splices) {
    if (splice.start < pos) return Fail<std::string>(hr::kFail);  // overlapping edits
    out.append(raw.substr(pos, splice.start - pos));
    out += splice.text;
    pos = splice.end;
  }
  out.append(raw.substr(pos));
  return Ok(std::move(out));
}

}  // namespace skerrow::maildir
