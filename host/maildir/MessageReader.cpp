#include "host/maildir/MessageReader.h"

#include <gmime/gmime.h>

#include "base/Utf8.h"
#include "host/maildir/AddressParser.h"
#include "host/maildir/CharsetCodec.h"
#include "host/maildir/EncodedWordDecoder.h"
#include "host/maildir/GMimeLibrary.h"
#include "host/maildir/HeaderBlock.h"
#include "host/maildir/MimeStructure.h"
#include "host/maildir/Windows1252.h"

namespace skerrow::maildir {

namespace {

std::string LowerTrimmed(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return out;
}

std::int32_t ImportanceOf(const HeaderBlock& block) {
  if (const HeaderField* field = block.Find("Importance")) {
    const std::string value = LowerTrimmed(field->value);
    if (value == "low") return 0;
    if (value == "high") return 2;
    if (value == "normal") return 1;
  }
  if (const HeaderField* field = block.Find("X-Priority")) {
    for (char c : field->value) {
      if (c == ' ' || c == '\t') continue;
      if (c == '1' || c == '2') return 2;
      if (c == '4' || c == '5') return 0;
      break;
    }
  }
  return 1;
}

std::int32_t SensitivityOf(const HeaderBlock& block) {
  const HeaderField* field = block.Find("Sensitivity");
  if (field == nullptr) return 0;
  const std::string value = LowerTrimmed(field->value);
  if (value == "personal") return 1;
  if (value == "private") return 2;
  if (value == "company-confidential") return 3;
  return 0;
}

std::optional<std::time_t> HeaderTimeOf(const HeaderBlock& block) {
  // Received fields are prepended as the message travels: the first one is
  // the newest. Its date follows the last ";".
  for (const HeaderField* field : block.FindAll("Received")) {
    const std::size_t semicolon = field->value.rfind(';');
    if (semicolon == std::string_view::npos) continue;
    if (auto time = MessageReader::ParseDate(field->value.substr(semicolon + 1))) return time;
  }
  if (const HeaderField* field = block.Find("Date")) return MessageReader::ParseDate(field->value);
  return std::nullopt;
}

std::u16string DecodeText(std::string_view raw, const MimePart& part) {
  return CharsetCodec::Decode(MimeStructure::DecodeContent(raw, part), part.charset).text;
}

// The length of the leading bytes of a piece of UTF-8 that may be decoded
// apart from what follows: up to the last byte, among the last four, that is
// no continuation byte. Decoding always starts afresh at such a byte, so the
// pieces decode as the whole does, and no sequence (four bytes at most) is cut.
std::size_t CuttableLength(std::string_view piece) {
  for (std::size_t back = 1; back <= 4 && back <= piece.size(); ++back) {
    if ((static_cast<unsigned char>(piece[piece.size() - back]) & 0xC0) != 0x80) {
      return piece.size() - back;
    }
  }
  return piece.size();
}

// Hands the content to decode in pieces that each end where CuttableLength
// allows, the last with whatever is left.
bool ForEachCuttablePiece(const MessageReader::ContentPieces& content,
                          const std::function<void(std::string_view)>& decode) {
  std::string pending;
  const bool read = content([&](std::string_view piece) {
    pending += piece;
    const std::size_t length = CuttableLength(pending);
    decode(std::string_view(pending).substr(0, length));
    pending.erase(0, length);
  });
  if (read) decode(pending);
  return read;
}

}  // namespace

MessageSummary MessageReader::ReadSummary(std::string_view head) {
  const HeaderBlock block = HeaderBlock::Parse(head);
  MessageSummary summary;
  if (const HeaderField* subject = block.Find("Subject")) {
    summary.subject = EncodedWordDecoder::Decode(subject->value);
  }
  if (const HeaderField* from = block.Find("From")) {
    const std::vector<MailAddress> senders = AddressParser::Parse(from->value);
    if (!senders.empty()) {
      summary.senderName =
          senders.front().name.empty() ? senders.front().address : senders.front().name;
    }
  }
  for (const char* name : {"To", "Cc", "Bcc"}) {
    for (const HeaderField* field : block.FindAll(name)) {
      for (MailAddress& address : AddressParser::Parse(field->value)) {
        if (name[0] == 'T') {
          if (!summary.to.empty()) summary.to += u"; ";
          summary.to += address.name.empty() ? address.address : address.name;
        }
        if (!address.address.empty()) summary.recipients.push_back(std::move(address.address));
      }
    }
  }
  summary.headerTime = HeaderTimeOf(block);
  summary.importance = ImportanceOf(block);
  summary.sensitivity = SensitivityOf(block);
  return summary;
}

std::u16string MessageReader::ReadSubject(std::string_view head) {
  // Find answers a pointer into the block, so the block must outlive it.
  const HeaderBlock block = HeaderBlock::Parse(head);
  const HeaderField* subject = block.Find("Subject");
  return subject != nullptr ? EncodedWordDecoder::Decode(subject->value) : std::u16string();
}

MessageBodies MessageReader::ReadBodies(std::string_view raw) {
  MessageBodies bodies = LocateBodies(raw);
  if (bodies.plainPart) bodies.body = DecodeText(raw, *bodies.plainPart);
  if (bodies.htmlPart) bodies.htmlBody = DecodeText(raw, *bodies.htmlPart);
  bodies.textsLocated = false;
  bodies.plainPart.reset();
  bodies.htmlPart.reset();
  return bodies;
}

MessageBodies MessageReader::LocateBodies(std::string_view raw) {
  const MimeStructure structure = MimeStructure::Parse(raw);
  MessageBodies bodies;
  bodies.textsLocated = true;
  if (const MimePart* plain = structure.FindBody("plain")) bodies.plainPart = *plain;
  if (const MimePart* html = structure.FindBody("html")) {
    bodies.htmlPart = *html;
    bodies.hasHtmlPart = true;
  }
  bodies.attachmentNames = structure.FileNames();
  return bodies;
}

std::optional<std::u16string> MessageReader::ReadText(const MimePart& part,
                                                      const ContentPieces& content) {
  const ContentPieces decoded = [&](const std::function<void(std::string_view)>& take) {
    MimeStructure::ContentDecoder decoder(part.encoding);
    return content([&](std::string_view piece) { take(decoder.Decode(piece)); });
  };
  std::u16string text;
  text.reserve(part.contentEnd - part.contentStart);
  CharsetCodec::Reading reading = CharsetCodec::ReadingOf(part.charset);
  if (reading == CharsetCodec::Reading::Converter) {
    CharsetCodec::PieceDecoder converter(part.charset);
    if (converter.HasConverter()) {
      if (!decoded([&](std::string_view piece) { converter.Add(piece, text); })) {
        return std::nullopt;
      }
      converter.Finish(text);
      return text;
    }
    reading = CharsetCodec::Reading::Detect;  // as Decode reads a charset nobody converts
  }
  if (reading == CharsetCodec::Reading::Detect) {
    bool valid = true;
    if (!ForEachCuttablePiece(
            decoded, [&valid](std::string_view piece) { valid = valid && IsValidUtf8(piece); })) {
      return std::nullopt;
    }
    reading = valid ? CharsetCodec::Reading::Utf8 : CharsetCodec::Reading::Windows1252;
  }
  if (!ForEachCuttablePiece(decoded, [&](std::string_view piece) {
        if (reading == CharsetCodec::Reading::Utf8) {
          AppendUtf8AsUtf16(text, piece);
        } else {
          text += Windows1252::Decode(piece);
        }
      })) {
    return std::nullopt;
  }
  return text;
}

std::optional<std::time_t> MessageReader::ParseDate(std::string_view text) {
  EnsureGMimeInitialized();
  std::string copy;
  for (char c : text) {
    if (c != '\0' && c != '\r' && c != '\n') copy.push_back(c);
  }
  GDateTime* date = g_mime_utils_header_decode_date(copy.c_str());
  if (date == nullptr) return std::nullopt;
  const gint64 seconds = g_date_time_to_unix(date);
  g_date_time_unref(date);
  return static_cast<std::time_t>(seconds);
}

}  // namespace skerrow::maildir
