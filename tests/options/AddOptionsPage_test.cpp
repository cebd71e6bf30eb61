#include "options/AddOptionsPage.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class RecordingPages : public PropertyPages, public std::enable_shared_from_this<RecordingPages> {
 public:
  explicit RecordingPages(HResult result) : result_(result) {}
  PropertyPagesPtr AsPropertyPages() override { return shared_from_this(); }
  HResult Add(const std::u16string& progId, const std::u16string& title) override {
    added.push_back({progId, title});
    return result_;
  }
  std::vector<std::pair<std::u16string, std::u16string>> added;

 private:
  HResult result_;
};

class NotPages : public Dispatch {};

class AddOptionsPageTest : public ::testing::Test {
 protected:
  AddOptionsPageTest() { world.options().bErrorLog = 1; }
  std::string Log() { return world.ReadFile("C:\\Skerrowlog.txt").value_or(""); }

  TestPlatform world;
};

TEST_F(AddOptionsPageTest, ThePageIsAddedByItsProgIdAndTitle) {
  auto pages = std::make_shared<RecordingPages>(hr::kOk);

  AddOptionsPage(pages, world.log());

  ASSERT_EQ(pages->added.size(), 1u);
  EXPECT_EQ(pages->added[0].first, u"Tamsquill.PropPage");
  EXPECT_EQ(pages->added[0].second, u"Skerrow");
  EXPECT_EQ(Log(), "");
}

TEST_F(AddOptionsPageTest, AFailedAddIsLoggedAtItsPlace) {
  AddOptionsPage(std::make_shared<RecordingPages>(hr::kFail), world.log());

  EXPECT_NE(Log().find("\tPlace:201901\tCode: -2147467259\tHex: 0x80004005"), std::string::npos);
}

TEST_F(AddOptionsPageTest, AnArgumentWithoutThePagesIsLoggedAsMissing) {
  AddOptionsPage(std::make_shared<NotPages>(), world.log());
  AddOptionsPage(nullptr, world.log());

  const std::string log = Log();
  const std::string line = "\tPlace:201901\tCode: -1\tHex: 0xffffffff";
  const std::size_t first = log.find(line);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(log.find(line, first + 1), std::string::npos);
}

}  // namespace
}  // namespace skerrow
