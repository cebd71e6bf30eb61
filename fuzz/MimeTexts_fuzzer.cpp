// The small readers of MIME texts, each picked by the first byte, with the
// round trips through the store's own writers:
//   0 encoded words: decoding arbitrary header text; encoding any text and
//     decoding it again gives the text back
//   1 addresses of an address header
//   2 parameters and disposition of Content-Type / Content-Disposition
//   3 charsets: "name\n" then bytes; decoded text encoded back in the
//     charset it was read in decodes to the same text
//   4 transfer encodings: base64 and quoted-printable written and read back
// Texts and transfer encodings also read in pieces, as a large message's
// bodies are, read as they do whole.
#include "base/Utf8.h"
#include "fuzz/FuzzTarget.h"
#include "host/maildir/AddressParser.h"
#include "host/maildir/CharsetCodec.h"
#include "host/maildir/EncodedWordDecoder.h"
#include "host/maildir/EncodedWordEncoder.h"
#include "host/maildir/MessageReader.h"
#include "host/maildir/MimeParameters.h"
#include "host/maildir/MimeStructure.h"
#include "host/maildir/TransferEncoding.h"

namespace {

using skerrow::fuzz::Require;
using namespace skerrow::maildir;

// Any bytes as a text without NULs (which header decoding drops).
std::u16string TextOf(std::string_view bytes) {
  std::u16string text = CharsetCodec::Decode(bytes, "").text;
  std::erase(text, u'\0');
  return text;
}

void EncodedWords(std::string_view input) {
  EncodedWordDecoder::Decode(input);
  const std::u16string text = TextOf(input);
  const std::size_t nameLength = input.empty() ? 0 : static_cast<unsigned char>(input[0]) % 40;
  for (std::string_view eol : {"\n", "\r\n"}) {
    Require(EncodedWordDecoder::Decode(EncodedWordEncoder::Encode(text, nameLength, eol)) == text,
            "an encoded header text decodes to itself");
  }
}

void Addresses(std::string_view input) {
  for (const MailAddress& address : AddressParser::Parse(input)) {
    Require(!address.address.empty() || !address.name.empty(), "no empty mailbox is listed");
  }
}

void Parameters(std::string_view input) {
  MimeParameters::Disposition(input);
  for (std::string_view name : {"name", "filename", "charset", "boundary"}) {
    MimeParameters::Get(input, name);
  }
}

void Charsets(std::string_view input) {
  const std::size_t newline = input.find('\n');
  const std::string_view charset = input.substr(0, std::min<std::size_t>(newline, 40));
  const std::string_view bytes = newline == std::string_view::npos ? "" : input.substr(newline + 1);
  const DecodedText decoded = CharsetCodec::Decode(bytes, charset);
  MimePart part;
  part.charset = std::string(charset);
  part.contentEnd = bytes.size();
  const std::size_t pieceSize = 1 + bytes.size() % 7;
  const auto read = MessageReader::ReadText(part, [&](const auto& take) {
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize) take(bytes.substr(at, pieceSize));
    return true;
  });
  Require(read && *read == decoded.text, "a text read in pieces reads as the whole");
  bool substituted = false;
  const std::string encoded = CharsetCodec::Encode(decoded.text, decoded.charset, [&](char32_t) {
    substituted = true;
    return std::string("?");
  });
  if (!substituted) {
    Require(CharsetCodec::Decode(encoded, decoded.charset).text == decoded.text,
            "text encoded in the charset it was read in reads back the same");
  }
}

std::string WithLineBreaksAs(std::string_view bytes, std::string_view eol) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (bytes[i] == '\n') {
      out += eol;
    } else {
      out += bytes[i];
    }
  }
  return out;
}

std::string DecodeAs(const std::string& content, MimePart::Encoding encoding) {
  MimePart part;
  part.encoding = encoding;
  part.contentEnd = content.size();
  const std::string whole = MimeStructure::DecodeContent(content, part);
  MimeStructure::ContentDecoder decoder(encoding);
  std::string pieces;
  const std::size_t pieceSize = 1 + content.size() % 7;
  for (std::size_t at = 0; at < content.size(); at += pieceSize) {
    pieces += decoder.Decode(std::string_view(content).substr(at, pieceSize));
  }
  Require(pieces == whole, "content decoded in pieces reads as the whole");
  return whole;
}

void TransferEncodings(std::string_view input) {
  TransferEncoding::DecodeBase64(input);
  for (std::string_view eol : {"\n", "\r\n"}) {
    const std::string base64 = TransferEncoding::EncodeBase64(input, eol);
    Require(TransferEncoding::DecodeBase64(base64) == input, "base64 reads back (own reader)");
    Require(DecodeAs(base64, MimePart::Encoding::Base64) == input, "base64 reads back (MIME)");
    const std::string quoted = TransferEncoding::EncodeQuotedPrintable(input, eol);
    Require(DecodeAs(quoted, MimePart::Encoding::QuotedPrintable) == WithLineBreaksAs(input, eol),
            "quoted-printable reads back with the file's line breaks");
  }
}

}  // namespace

SKERROW_FUZZ_TARGET(MimeTexts) {
  if (input.empty()) return;
  const std::string_view rest = input.substr(1);
  switch (static_cast<unsigned char>(input[0]) % 5) {
    case 0:
      return EncodedWords(rest);
    case 1:
      return Addresses(rest);
    case 2:
      return Parameters(rest);
    case 3:
      return Charsets(rest);
    default:
      return TransferEncodings(rest);
  }
}

SKERROW_FUZZ_SEEDS(MimeTexts) {
  const std::u16string text = u"Caf\u00e9 \u2014 \u4e2d\u6587 =?plain?= text";
  return {
      std::string("\0", 1) + EncodedWordEncoder::Encode(text, 9, "\r\n"),
      std::string("\0", 1) + "=?utf-8?Q?a_b?= =?utf-8?B?w6k=?= tail =?bogus",
      "\x01\"Doe, Jane\" <jane@example.org>, team: a@x.example, (c) b@y.example;, <@r:c@z>",
      "\x02"
      "attachment; filename*0*=utf-8''r%C3%A9; filename*1=\"sum.exe\"; name==?utf-8?Q?x?=",
      "\x03iso-2022-jp\n" + CharsetCodec::Encode(text, "iso-2022-jp", [](char32_t) { return "?"; }),
      "\x03windows-1251\n\xcf\xf0\xe8\xe2\xe5\xf2",
      "\x04" + TransferEncoding::EncodeQuotedPrintable("line one \r\n.From x=y\n", "\n"),
  };
}
