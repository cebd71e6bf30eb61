#include "platform/linux/Prefix.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/TextLines.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

class PrefixTest : public ::testing::Test {
 protected:
  TempFolder folder;
  Prefix prefix{folder.path() / "home"};
};

TEST_F(PrefixTest, CreationLaysOutTheWholeWorld) {
  std::string error;
  ASSERT_TRUE(prefix.Create(&error)) << error;
  const std::filesystem::path& root = prefix.Root();
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "win.ini"));
  EXPECT_TRUE(std::filesystem::is_regular_file(prefix.RegistryFile()));
  EXPECT_TRUE(std::filesystem::is_directory(root / "drive_c/Program Files/Quelbrik/Skerrowdir"));
  EXPECT_TRUE(std::filesystem::is_directory(root / "contacts"));
  EXPECT_EQ(textlines::ReadFile(prefix.RegistryFile()), LinuxRegistry::InitialContent());
}

TEST_F(PrefixTest, CreatingAgainKeepsWhatIsThere) {
  ASSERT_TRUE(prefix.Create());
  std::ofstream(prefix.WinIni()) << "[Tamsquil]\nbBayesFilter=0\n";
  std::ofstream(prefix.RegistryFile()) << "mine\n";
  ASSERT_TRUE(prefix.Create());
  EXPECT_EQ(textlines::ReadFile(prefix.WinIni()), "[Tamsquil]\nbBayesFilter=0\n");
  EXPECT_EQ(textlines::ReadFile(prefix.RegistryFile()), "mine\n");
}

TEST_F(PrefixTest, APrefixUnderAFileCannotBeCreatedAndSaysWhy) {
  std::ofstream(folder.path() / "file") << "x";
  Prefix blocked(folder.path() / "file" / "home");
  std::string error;
  EXPECT_FALSE(blocked.Create(&error));
  EXPECT_NE(error.find("file/home"), std::string::npos) << error;
}

struct PathCase {
  const char* windows;
  const char* host;  // relative to the root; null when the path is refused
};

class WindowsPaths : public PrefixTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(WindowsPaths, MapIntoThePrefixOrAreRefused) {
  const PathCase& c = GetParam();
  std::optional<std::filesystem::path> host = prefix.HostPath(c.windows);
  if (c.host == nullptr) {
    EXPECT_EQ(host, std::nullopt) << c.windows;
  } else {
    EXPECT_EQ(host, prefix.Root() / c.host) << c.windows;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsPaths,
    ::testing::Values(PathCase{"C:\\Skerrowlog.txt", "drive_c/Skerrowlog.txt"},
                      PathCase{"c:/a/b.txt", "drive_c/a/b.txt"},
                      PathCase{"D:\\data\\x", "drive_d/data/x"}, PathCase{"\\a\\b", "drive_c/a/b"},
                      PathCase{"C:\\a\\\\b\\.\\c\\", "drive_c/a/b/c"},
                      PathCase{"C:\\Program Files\\Quelbrik\\Skerrowdir\\Tamsquill.bin",
                               "drive_c/Program Files/Quelbrik/Skerrowdir/Tamsquill.bin"},
                      PathCase{"C:\\..\\escape", nullptr}, PathCase{"C:\\a\\..\\..\\b", nullptr},
                      PathCase{"C:\\a\\..", nullptr}, PathCase{"relative.txt", nullptr},
                      PathCase{"C:name", nullptr}, PathCase{"\\\\server\\share\\x", nullptr},
                      PathCase{"C:", nullptr}, PathCase{"C:\\", nullptr}, PathCase{"", nullptr},
                      PathCase{"1:\\x", nullptr}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.windows, info.index);
    });

TEST_F(PrefixTest, NulCharactersAreRefused) {
  EXPECT_EQ(prefix.HostPath(std::string_view("C:\\a\0b", 6)), std::nullopt);
}

TEST_F(PrefixTest, PathComponentsFindExistingNamesWhateverTheirCase) {
  ASSERT_TRUE(prefix.Create());
  EXPECT_EQ(prefix.HostPath("c:\\PROGRAM FILES\\quelbrik\\SKERROWDIR\\Tamsquill.bin"),
            prefix.Root() / "drive_c/Program Files/Quelbrik/Skerrowdir/Tamsquill.bin");
}

TEST_F(PrefixTest, TheDefaultRootFollowsTheEnvironment) {
  const char* saved = std::getenv("SKERROW_HOME");
  std::string savedValue = saved ? saved : "";
  ::setenv("SKERROW_HOME", "/some/where", 1);
  EXPECT_EQ(Prefix::DefaultRoot(), "/some/where");
  ::unsetenv("SKERROW_HOME");
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(Prefix::DefaultRoot(), std::filesystem::path(home) / ".local/share/skerrow");
  }
  if (saved) ::setenv("SKERROW_HOME", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace skerrow
