#include "engine/AddressBook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/memory/MemoryStore.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class AddressBookTest : public testing::Test {
 protected:
  AddressBookTest() {
    world_.options().bErrorLog = 1;
    store_.AddAddressList(
        u"Contacts", {{u"Ann Example", u"ann@example.com"}, {u"Bob Sample", u"bob@example.com"}});
    store_.AddAddressList(u"Global", {{u"Caf\u00e9 Owner", u"owner@cafe.example"}});
  }

  void TakeSnapshot() {
    NameSpacePtr nameSpace = store_.GetApplication()->GetNamespace(u"MAPI").value;
    book_.TakeSnapshot(*nameSpace, world_.codePage(), world_.log());
  }

  bool Logged(int place) const {
    const std::optional<std::string> log = world_.ReadFile("C:\\Skerrowlog.txt");
    return log && log->find("Place:" + std::to_string(place) + "\t") != std::string::npos;
  }

  TestPlatform world_;
  MemoryStore store_;
  AddressBook book_;
};

TEST_F(AddressBookTest, TakesEveryNameAndAddressOfEveryList) {
  TakeSnapshot();
  EXPECT_EQ(book_.Names(),
            (std::vector<std::string>{"Ann Example", "Bob Sample", "Caf\xE9 Owner"}));
  EXPECT_EQ(book_.Addresses(),
            (std::vector<std::string>{"ann@example.com", "bob@example.com", "owner@cafe.example"}));
}

TEST_F(AddressBookTest, SkipsAListItCannotGetAndGoesOn) {
  store_.Faults().FailNext("AddressLists.Item", hr::kFail, 1);
  TakeSnapshot();
  EXPECT_EQ(book_.Names(), (std::vector<std::string>{"Caf\xE9 Owner"}));
  EXPECT_TRUE(Logged(202103));
}

TEST_F(AddressBookTest, KeepsTheAddressOfAnEntryWhoseNameCannotBeRead) {
  store_.Faults().FailNext("AddressEntry.Name", hr::kFail, 1);
  TakeSnapshot();
  EXPECT_EQ(book_.Names().size(), 3u);
  EXPECT_EQ(book_.Names()[0], "");
  EXPECT_EQ(book_.Addresses()[0], "ann@example.com");
  EXPECT_TRUE(Logged(202107));
}

TEST_F(AddressBookTest, StaysEmptyWithoutAddressLists) {
  store_.Faults().FailAlways("NameSpace.GetAddressLists", hr::kFail);
  TakeSnapshot();
  EXPECT_TRUE(book_.Names().empty());
  EXPECT_TRUE(Logged(202101));
}

TEST_F(AddressBookTest, ContainsNamesAndAddressesIgnoringCaseButNotLongerForms) {
  TakeSnapshot();
  const std::pair<std::string, bool> cases[] = {
      {"Ann Example", true},
      {"ANN EXAMPLE", true},
      {"BOB@EXAMPLE.COM", true},
      {"CAF\xC9 OWNER", true},
      {"Ann Example (work)", false},
      {"Ann", false},
      {"", false},
  };
  for (const auto& [sender, expected] : cases) {
    EXPECT_EQ(book_.Contains(sender, world_.codePage()), expected) << sender;
  }
}

}  // namespace
}  // namespace skerrow
