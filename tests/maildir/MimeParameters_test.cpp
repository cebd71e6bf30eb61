#include "host/maildir/MimeParameters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

struct ParameterCase {
  const char* raw;
  const char* name;
  std::optional<std::u16string> expected;
};

class ParameterReading : public testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterReading, DecodesTheValue) {
  EXPECT_EQ(MimeParameters::Get(GetParam().raw, GetParam().name), GetParam().expected)
      << "raw: " << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ParameterReading,
    testing::Values(
        ParameterCase{"attachment; filename=\"report.pdf\"", "filename", u"report.pdf"},
        ParameterCase{"attachment; FILENAME=plain.txt ; size=3", "filename", u"plain.txt"},
        ParameterCase{"text/plain; charset=utf-8", "name", std::nullopt},
        ParameterCase{"attachment; filename*=utf-8''%C3%A9t%C3%A9.txt", "filename",
                      u"\u00e9t\u00e9.txt"},
        ParameterCase{"attachment; filename*=iso-8859-1'fr'caf%E9.doc", "filename",
                      u"caf\u00e9.doc"},
        // Continuations, some encoded, put together in order.
        ParameterCase{
            "attachment;\r\n filename*1*=%C3%A9.txt;\r\n filename*0*=utf-8''d%C3%A9j%C3%A0",
            "filename", u"d\u00e9j\u00e0\u00e9.txt"},
        ParameterCase{"attachment; filename*0=\"long \"; filename*1=\"name.txt\"", "filename",
                      u"long name.txt"},
        // RFC 2047 inside a quoted value, including the adjacent padded case.
        ParameterCase{"attachment; filename=\"=?utf-8?B?YWI=?= =?utf-8?B?Y2Q=?=.zip\"", "filename",
                      u"abcd.zip"},
        ParameterCase{"application/octet-stream; name=\"=?koi8-r?B?8MnT2M3P?=.exe\"", "name",
                      u"\u041f\u0438\u0441\u044c\u043c\u043e.exe"},
        ParameterCase{"attachment; filename=\"with \\\"quotes\\\"\"", "filename",
                      u"with \"quotes\""},
        ParameterCase{"attachment; filename=\"unterminated", "filename", u"unterminated"},
        ParameterCase{"attachment; =nothing; filename", "filename", std::nullopt}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.raw, info.index);
    });

TEST(MimeParameters, ReadsTheDispositionWithoutCaseOrBlanks) {
  EXPECT_EQ(MimeParameters::Disposition(" Attachment ; filename=a"), "attachment");
  EXPECT_EQ(MimeParameters::Disposition("inline"), "inline");
}

}  // namespace
}  // namespace skerrow::maildir
