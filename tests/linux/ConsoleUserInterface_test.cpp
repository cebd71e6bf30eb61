#include "platform/linux/ConsoleUserInterface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/linux/LinuxCodePage.h"

namespace skerrow {
namespace {

std::string Shown(unsigned codePage, std::string_view text, std::string_view caption = "") {
  std::unique_ptr<LinuxCodePage> page = LinuxCodePage::Create(codePage);
  std::FILE* out = std::tmpfile();
  EXPECT_NE(out, nullptr);
  ConsoleUserInterface ui(*page, out);
  EXPECT_EQ(ui.ShowMessage(text, caption, mb::kOk | mb::kIconError), mb::kIdOk);
  ui.SetWaitCursor(true);
  ui.SetWaitCursor(false);
  std::rewind(out);
  std::string written;
  char buffer[256];
  while (std::size_t got = std::fread(buffer, 1, sizeof buffer, out)) written.append(buffer, got);
  std::fclose(out);
  return written;
}

TEST(ConsoleUserInterface, AMessageBoxIsOneLineOnTheStream) {
  EXPECT_EQ(Shown(1252, "Warning: Nothing to move.", "Skerrow"),
            "skerrow: message box: Warning: Nothing to move.\n");
}

TEST(ConsoleUserInterface, LineBreaksInTheTextBecomeBlanks) {
  EXPECT_EQ(Shown(1252, "first\r\nsecond\nthird"), "skerrow: message box: first second third\n");
}

TEST(ConsoleUserInterface, TheTextIsWrittenInUtf8) {
  EXPECT_EQ(Shown(1252, "caf\xE9 \x80"), "skerrow: message box: caf\xC3\xA9 \xE2\x82\xAC\n");
  EXPECT_EQ(Shown(936, "\xD6\xD0"), "skerrow: message box: \xE4\xB8\xAD\n");
}

}  // namespace
}  // namespace skerrow
