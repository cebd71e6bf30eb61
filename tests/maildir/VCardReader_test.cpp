#include "host/maildir/VCardReader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace skerrow::maildir {
namespace {

TEST(VCardReader, TakesEachCardsNameAndFirstAddress) {
  const auto entries = VCardReader::Parse(
      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Maya Ortiz\r\nEMAIL;TYPE=work:maya@north.example\r\n"
      "EMAIL:second@north.example\r\nEND:VCARD\r\n"
      "BEGIN:VCARD\nVERSION:4.0\nN:Hale;Anna;;;\nitem1.EMAIL:anna@hale.example\nFN:Anna Hale\n"
      "END:VCARD\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, u"Maya Ortiz");
  EXPECT_EQ(entries[0].address, u"maya@north.example");
  EXPECT_EQ(entries[1].name, u"Anna Hale");
  EXPECT_EQ(entries[1].address, u"anna@hale.example");
}

TEST(VCardReader, UnfoldsLinesAndUndoesEscapes) {
  const auto entries = VCardReader::Parse(
      "BEGIN:VCARD\nFN:Hale\\, Robin and\n  family\nEMAIL:robin@\n hale.example\nEND:VCARD\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, u"Hale, Robin and family");
  EXPECT_EQ(entries[0].address, u"robin@hale.example");
}

TEST(VCardReader, ReadsQuotedPrintableNamesInTheirCharset) {
  const auto entries = VCardReader::Parse(
      "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Ren=E9 M=\n"
      "=FCller\nEMAIL;INTERNET:rene@x.example\nEND:VCARD\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, u"Ren\u00e9 M\u00fcller");
  EXPECT_EQ(entries[0].address, u"rene@x.example");
}

TEST(VCardReader, KeepsACardWithoutAddressAndSkipsUnclosedOnes) {
  const auto entries =
      VCardReader::Parse("BEGIN:VCARD\nFN:Nobody\nEND:VCARD\ngarbage\nBEGIN:VCARD\nFN:Cut off\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, u"Nobody");
  EXPECT_EQ(entries[0].address, u"");
}

// Each continuation used to copy and upper-case the whole line so far: half a
// million folds took minutes.
TEST(VCardReader, ReadsALineFoldedHalfAMillionTimes) {
  constexpr std::size_t kFolds = 1 << 19;
  for (const char* head : {"FN:", "FN;ENCODING=QUOTED-PRINTABLE:"}) {
    const bool soft = std::string_view(head).find("QUOTED") != std::string_view::npos;
    std::string card = std::string("BEGIN:VCARD\n") + head;
    for (std::size_t i = 0; i < kFolds; ++i) card += soft ? "x=\n" : "\n x";
    card += "\nEMAIL:a@b.example\nEND:VCARD\n";
    SCOPED_TRACE(head);
    const auto entries = VCardReader::Parse(card);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name.size(), kFolds);
    EXPECT_EQ(entries[0].address, u"a@b.example");
  }
}

}  // namespace
}  // namespace skerrow::maildir
