#include "platform/win32/MshtmlValues.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/HtmlEngine.h"

namespace skerrow {
namespace {

TEST(MshtmlValuesTest, TheParserTextLosesItsNulsAndLoneSurrogatesButKeepsPairs) {
  struct Case {
    std::u16string html;
    std::u16string parsed;
  };
  const Case cases[] = {
      {u"<p>ab</p>", u"<p>ab</p>"},
      {std::u16string(u"V\0ia\0gra", 8), u"Viagra"},
      {std::u16string(u"\0", 1), u""},
      {u"a\xD800"
       u"b",
       u"a\xFFFD"
       u"b"},
      {u"a\xDC00", u"a\xFFFD"},
      {u"\xD83D\xDE00", u"\xD83D\xDE00"},
      {u"\xD83D", u"\xFFFD"},
  };
  for (const Case& test : cases) {
    MshtmlParserText prepared = PrepareParserText(test.html);
    EXPECT_EQ(prepared.text, test.parsed);
    EXPECT_FALSE(prepared.cut);
  }
}

TEST(MshtmlValuesTest, OnlyATextLongerThanTheLimitIsCutToItsLeadingPart) {
  std::u16string html(kHtmlLongestText, u'a');
  EXPECT_FALSE(PrepareParserText(html).cut);
  html += u"bc";
  MshtmlParserText prepared = PrepareParserText(html);
  EXPECT_TRUE(prepared.cut);
  EXPECT_EQ(prepared.text.size(), kHtmlLongestText);
  EXPECT_EQ(prepared.text.back(), u'a');
}

TEST(MshtmlValuesTest, ABstrKeepsEmbeddedNulsAndANullOneReadsEmpty) {
  const std::u16string text(u"a\0b", 3);
  OwnedBstr bstr = ToBstr(text);
  ASSERT_NE(bstr, nullptr);
  EXPECT_EQ(TextOfBstr(bstr.get()), text);
  EXPECT_NE(ToBstr(u""), nullptr);
  EXPECT_EQ(TextOfBstr(nullptr), u"");
}

TEST(MshtmlValuesTest, AVariantReadsAsTextOnlyWhenItHoldsAString) {
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(TextOfVariant(value), u"");
  value.vt = VT_I4;
  value.lVal = 0;
  EXPECT_EQ(TextOfVariant(value), u"");
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"#ff0000");
  EXPECT_EQ(TextOfVariant(value), u"#ff0000");
  VariantClear(&value);
}

TEST(MshtmlValuesTest, AFailedReadGivesItsStatusAndNoTextAndSuccessIsPlainOk) {
  Result<std::u16string> failed = ReadBstr([](BSTR* out) {
    *out = SysAllocString(L"partial");
    return E_ACCESSDENIED;
  });
  EXPECT_EQ(failed.status, hr::kAccessDenied);
  EXPECT_EQ(failed.value, u"");
  Result<std::u16string> read = ReadVariant([](VARIANT* out) {
    out->vt = VT_BSTR;
    out->bstrVal = SysAllocString(L"2pt");
    return S_FALSE;
  });
  EXPECT_EQ(read.status, hr::kOk);
  EXPECT_EQ(read.value, u"2pt");
  EXPECT_EQ(WriteBstr(u"x", [](BSTR) { return S_FALSE; }), hr::kOk);
}

}  // namespace
}  // namespace skerrow
