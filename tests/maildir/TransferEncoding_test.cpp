#include "host/maildir/TransferEncoding.h"

#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <string>

#include "host/maildir/GMimeLibrary.h"

namespace skerrow::maildir {
namespace {

// Decodes with GMime, the reader every other program would use.
std::string DecodeWithGMime(std::string_view text, GMimeContentEncoding encoding) {
  EnsureGMimeInitialized();
  GMimeEncoding state;
  g_mime_encoding_init_decode(&state, encoding);
  std::string out(g_mime_encoding_outlen(&state, text.size()) + 16, '\0');
  out.resize(g_mime_encoding_step(&state, text.data(), text.size(), out.data()));
  return out;
}

const std::string kSamples[] = {
    "",
    "plain",
    "<p>caf\xC3\xA9</p>\n<p>second line</p>\n",
    "--boundary at a line start\n.dot\nFrom the start\n",
    "trailing blanks   \nand tab\t\nend",
    "= signs == and a very long line that goes on and on and on and on and on and on and on and on",
    std::string("\x00\x01\x02\xFF binary", 11),
};

TEST(TransferEncoding, QuotedPrintableReadsBackAsTheSameBytes) {
  for (const std::string& bytes : kSamples) {
    const std::string encoded = TransferEncoding::EncodeQuotedPrintable(bytes, "\n");
    EXPECT_EQ(DecodeWithGMime(encoded, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE), bytes) << encoded;
    std::size_t start = 0;
    while (start < encoded.size()) {
      std::size_t end = encoded.find('\n', start);
      if (end == std::string::npos) end = encoded.size();
      const std::string_view line = std::string_view(encoded).substr(start, end - start);
      EXPECT_LE(line.size(), 76u);
      EXPECT_NE(line.substr(0, 2), "--") << "a line could read as a boundary";
      EXPECT_NE(line.substr(0, 5), "From ");
      start = end + 1;
    }
  }
}

TEST(TransferEncoding, QuotedPrintableWritesTheGivenLineEnding) {
  EXPECT_EQ(TransferEncoding::EncodeQuotedPrintable("a\nb\r\nc", "\r\n"), "a\r\nb\r\nc");
}

TEST(TransferEncoding, Base64ReadsBackAsTheSameBytes) {
  for (const std::string& bytes : kSamples) {
    const std::string encoded = TransferEncoding::EncodeBase64(bytes, "\r\n");
    EXPECT_EQ(DecodeWithGMime(encoded, GMIME_CONTENT_ENCODING_BASE64), bytes);
    EXPECT_EQ(TransferEncoding::DecodeBase64(encoded), bytes);
  }
}

TEST(TransferEncoding, LenientBase64StopsAtPaddingAndSkipsJunk) {
  EXPECT_EQ(TransferEncoding::DecodeBase64("YWI=Y2Q="), "ab");
  EXPECT_EQ(TransferEncoding::DecodeBase64("Y W\r\nI*"), "ab");
  EXPECT_EQ(TransferEncoding::DecodeBase64("Y"), "");
}

}  // namespace
}  // namespace skerrow::maildir
