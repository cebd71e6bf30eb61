#include "host/maildir/AddressParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Utf8.h"
#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

// "name <address>" per mailbox, joined by " | ".
std::string Describe(const std::vector<MailAddress>& addresses) {
  std::string out;
  for (const MailAddress& address : addresses) {
    if (!out.empty()) out += " | ";
    out += Utf16ToUtf8(address.name) + " <" + Utf16ToUtf8(address.address) + ">";
  }
  return out;
}

struct AddressCase {
  const char* raw;
  const char* expected;
};

class AddressParsing : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressParsing, FindsEachMailboxWithItsName) {
  EXPECT_EQ(Describe(AddressParser::Parse(GetParam().raw)), GetParam().expected)
      << "raw: " << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AddressParsing,
    testing::Values(
        AddressCase{" Robin Hale <robin@hale.example>", "Robin Hale <robin@hale.example>"},
        AddressCase{"robin@hale.example", " <robin@hale.example>"},
        AddressCase{"\"Hale, Robin\" <robin@x>, anna@y", "Hale, Robin <robin@x> |  <anna@y>"},
        AddressCase{"\"Say \\\"hi\\\"\" <a@b>", "Say \"hi\" <a@b>"},
        AddressCase{"robin@x (Robin Hale)", "Robin Hale <robin@x>"},
        AddressCase{"<robin@x> (Robin)", "Robin <robin@x>"},
        AddressCase{"=?utf-8?B?YWI=?= =?utf-8?B?Y2Q=?= <a@b>", "abcd <a@b>"},
        // Encoded words inside quotes, as many mailers write them.
        AddressCase{"\"=?iso-8859-1?Q?Ren=E9?=\" <rene@x>", "Ren\xC3\xA9 <rene@x>"},
        AddressCase{"Team: a@x, B <b@y>;, c@z", " <a@x> | B <b@y> |  <c@z>"},
        AddressCase{"undisclosed-recipients:;", ""}, AddressCase{" , ,a@x,, ", " <a@x>"},
        AddressCase{"A <a@x\r\n >,\r\n\tB\r\n <b@y>", "A <a@x> | B <b@y>"},
        AddressCase{"<@route1,@route2:real@x>", " <real@x>"},
        AddressCase{"Unclosed <a@x", "Unclosed <a@x>"},
        AddressCase{"\"Unclosed quote <a@x>", "Unclosed quote <a@x>"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.raw, info.index);
    });

// A colon inside an address used to rescan the address so far, and a colon
// after one its whole phrase: megabytes of either took minutes. An address
// far longer than mail systems pass on is cut.
TEST(AddressParser, ReadsEightMegabytesOfColonsInOnePassAndCutsTheAddress) {
  std::string url;
  while (url.size() < (8u << 20)) url += "a:/";
  const auto inAddress = AddressParser::Parse(url);
  ASSERT_EQ(inAddress.size(), 1u);
  EXPECT_EQ(Utf16ToUtf8(inAddress[0].address), url.substr(0, 4096));

  std::string phrase = std::string(4u << 20, 'a') + "@";
  for (int i = 0; i < (1 << 20); ++i) phrase += " :";
  const auto afterAddress = AddressParser::Parse(phrase + ", next@x.example");
  ASSERT_EQ(afterAddress.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(afterAddress[0].address), std::string(4096, 'a'));
  EXPECT_EQ(afterAddress[1].address, u"next@x.example");
}

}  // namespace
}  // namespace skerrow::maildir
