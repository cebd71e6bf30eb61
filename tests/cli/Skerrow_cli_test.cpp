// End-to-end tests of the skerrow command on scratch prefixes and stores.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/maildir/MaildirStore.h"
#include "tests/cli/CommandLineTest.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

TEST_F(CommandLineTest, NewSpamIsMarkedInTheInbox) {
  const Outcome outcome = Deliver(EmptyBody());
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Field(outcome.out, "verdict"), "Spam");
  EXPECT_EQ(Field(outcome.out, "reason"), "7");
  EXPECT_EQ(Field(outcome.out, "folder"), "Inbox");
  EXPECT_EQ(Field(outcome.out, "subject"), "<*3*>Limited offer inside");
  EXPECT_TRUE(fs::exists(Field(outcome.out, "path")));
}

TEST_F(CommandLineTest, ValidMailStaysUntouchedInTheInbox) {
  const Outcome outcome = Deliver(Plain());
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Field(outcome.out, "verdict"), "Valid");
  EXPECT_EQ(Field(outcome.out, "subject"), "Lunch on Friday");
  EXPECT_EQ(ReadText(Field(outcome.out, "path")), ReadText(Plain()));
}

// Once staged, a batch keeps only its messages' headers: one that is all
// header is kept whole.
TEST_F(CommandLineTest, ABatchDeliversAMessageThatIsAllHeaderBesideAnother) {
  const fs::path header = base / "in" / "header.eml";
  std::ofstream(header, std::ios::binary) << "From: a@example.org\r\nSubject: Only a header";
  const Outcome outcome = Run({"deliver", "--json", header.string(), Plain()});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const std::size_t second = outcome.out.find('\n') + 1;
  EXPECT_NE(Field(outcome.out, "subject").find("Only a header"), std::string::npos);
  EXPECT_EQ(Field(outcome.out.substr(second), "subject"), "Lunch on Friday");
}

TEST_F(CommandLineTest, WithAutomaticMovingSpamLandsInTheSpamFolderWithItsReportMark) {
  ASSERT_EQ(Run({"options", "bSpamAutoMove=1", "bAddReportMarksToSubj=1"}).status, 0);
  const Outcome outcome = Deliver(EmptyBody());
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Field(outcome.out, "folder"), "Junk E-mail");
  EXPECT_EQ(Field(outcome.out, "subject"), "_<*3*>[Empty Body   ]Limited offer inside");
}

TEST_F(CommandLineTest, ADragIntoTheSpamFolderIsLearnedAndADragOutUnlearned) {
  const std::string path = Field(Deliver(Plain()).out, "path");
  Outcome moved = Run({"move", "--to", "Junk E-mail", path});
  ASSERT_EQ(moved.status, 0) << moved.err;
  EXPECT_NE(moved.out.find("_<*5*>Lunch on Friday"), std::string::npos) << moved.out;
  const std::string uniqueName =
      fs::path(path).filename().string().substr(0, fs::path(path).filename().string().find(':'));
  EXPECT_NE(Run({"stats"}).out.find("1 spam"), std::string::npos);

  moved = Run({"move", "--to", "Inbox", uniqueName});
  ASSERT_EQ(moved.status, 0) << moved.err;
  EXPECT_NE(moved.out.find("Inbox           Lunch on Friday"), std::string::npos) << moved.out;
}

TEST_F(CommandLineTest, ToSpamMovesMarkedMailAndToInboxBringsItBack) {
  const std::string uniquePath = Field(Deliver(EmptyBody()).out, "path");
  Outcome toSpam = Run({"to-spam"});
  ASSERT_EQ(toSpam.status, 0) << toSpam.err;
  const std::string name = fs::path(uniquePath).filename().string();
  const std::string uniqueName = name.substr(0, name.find(':'));

  Outcome back = Run({"to-inbox", uniqueName});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_NE(back.out.find("Inbox"), std::string::npos) << back.out;
  EXPECT_NE(back.out.find(" Limited offer inside"), std::string::npos) << back.out;
}

TEST_F(CommandLineTest, ToSpamWithNothingMarkedSaysSo) {
  const Outcome outcome = Run({"to-spam"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.err.find("skerrow: message box: Warning: Nothing to move."), std::string::npos);
}

TEST_F(CommandLineTest, MarkAndUnmarkTeachTheFilter) {
  const std::string path = Field(Deliver(Plain()).out, "path");
  const std::string name = fs::path(path).filename().string();
  const std::string uniqueName = name.substr(0, name.find(':'));
  Outcome marked = Run({"mark", uniqueName});
  ASSERT_EQ(marked.status, 0) << marked.err;
  EXPECT_NE(marked.out.find("<*5*>Lunch on Friday"), std::string::npos) << marked.out;
  Outcome unmarked = Run({"unmark", uniqueName});
  ASSERT_EQ(unmarked.status, 0) << unmarked.err;
  EXPECT_NE(unmarked.out.find(" Lunch on Friday"), std::string::npos) << unmarked.out;
  EXPECT_EQ(unmarked.out.find("<*"), std::string::npos) << unmarked.out;
}

TEST_F(CommandLineTest, OptionsAreAppliedAndTheSpamFolderRenamed) {
  ASSERT_EQ(Deliver(Plain()).status, 0);
  const Outcome applied = Run({"options", "sSpamBoxName=Spam", "bBayesFilter=0"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  EXPECT_NE(applied.out.find("sSpamBoxName=Spam\n"), std::string::npos);
  EXPECT_NE(applied.out.find("bBayesFilter=0\n"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(store() / "Spam"));
  EXPECT_FALSE(fs::exists(store() / "Junk E-mail"));
  const Outcome listed = Run({"options"});
  EXPECT_NE(listed.out.find("bBayesFilter=0\n"), std::string::npos);
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 27);
  EXPECT_NE(listed.out.find("bDisableCheckAddrBook=0\nbBayesUseValidWords=0\n"), std::string::npos);
}

TEST_F(CommandLineTest, ABadOptionIsAUsageErrorAndChangesNothing) {
  EXPECT_EQ(Run({"options", "bNoSuchThing=1"}).status, 2);
  EXPECT_EQ(Run({"options", "bBayesFilter=yes"}).status, 2);
  EXPECT_NE(Run({"options"}).out.find("bBayesFilter=1\n"), std::string::npos);
}

TEST_F(CommandLineTest, TheDictionarySurvivesASecondRun) {
  ASSERT_EQ(Run({"valid-texts", "--add", "invoice"}).status, 0);
  ASSERT_EQ(Deliver(Plain()).status, 0);
  const Outcome texts = Run({"valid-texts"});
  EXPECT_EQ(texts.out, "invoice\n");
  EXPECT_NE(Run({"stats"}).out.find("messages learned: 0 spam, 1 valid"), std::string::npos);
}

TEST_F(CommandLineTest, StatsShowsSpamCountsFrom32768UpAsTheyAre) {
  const fs::path folder = home() / "drive_c" / "Program Files" / "Quelbrik" / "Skerrowdir";
  fs::create_directories(folder);
  // Version 2, totals 40000 and 10; one word, PILLS, seen in 40000 spam and 3
  // valid messages; five empty lists and no valid texts.
  std::string bytes("\x02\0\0\0\x40\x9c\0\0\x0a\0\0\0\0\0\0\0", 16);
  bytes += std::string("\x01\0\x05PILLS\x03\0\x40\x9c", 12) + std::string(14, '\0');
  std::ofstream(folder / "Tamsquill.bin", std::ios::binary) << bytes;
  const Outcome outcome = Run({"stats", "--json"});
  EXPECT_NE(outcome.out.find("{\"word\":\"PILLS\",\"spam\":40000,\"valid\":3}"), std::string::npos)
      << outcome.out << outcome.err;
}

TEST_F(CommandLineTest, ClassifyChangesNothing) {
  const Outcome outcome = Run({"classify", "--json", EmptyBody()});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Field(outcome.out, "verdict"), "Spam");
  EXPECT_TRUE(fs::is_empty(store() / "Inbox" / "new"));
  EXPECT_TRUE(fs::is_empty(store() / "Inbox" / "cur"));
  EXPECT_NE(Run({"stats"}).out.find("messages learned: 0 spam, 0 valid"), std::string::npos);
}

TEST_F(CommandLineTest, ASecondInstanceIsRefused) {
  auto held = maildir::MaildirStore::Open(store().string());
  ASSERT_NE(held.store, nullptr);
  const Outcome outcome = Deliver(Plain());
  EXPECT_EQ(outcome.status, 1);
  EXPECT_FALSE(outcome.err.empty());
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
}

struct FailureCase {
  std::vector<std::string> args;
  int status;
};

class FailureTest : public CommandLineTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, FailsWithOneLineAndItsExitStatus) {
  const Outcome outcome = Run(GetParam().args);
  EXPECT_EQ(outcome.status, GetParam().status);
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, FailureTest,
    ::testing::Values(FailureCase{{"frobnicate"}, 2}, FailureCase{{"deliver"}, 2},
                      FailureCase{{"move", "x"}, 2}, FailureCase{{"deliver", "--bogus", "x"}, 2},
                      FailureCase{{"deliver", "/no/such/message.eml"}, 1},
                      FailureCase{{"mark", "no-such-message"}, 1},
                      FailureCase{{"--store", "/no/such/store", "stats"}, 1}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.args.empty() ? std::string() : p.args.back(), info.index);
    });

TEST_F(CommandLineTest, ReplayHearsValidWordsOnlyWhenAskedTo) {
  // A team's mail, spam about prizes, and last mail from strangers that
  // names both: only the team's words can speak for it.
  const fs::path ham = folder.path() / "ham";
  const fs::path spam = folder.path() / "spam";
  fs::create_directories(ham);
  fs::create_directories(spam);
  const auto write = [](const fs::path& file, const std::string& from, const std::string& body) {
    std::ofstream(file, std::ios::binary)
        << "From: " << from
        << "\r\nTo: Robin <robin@example.org>\r\nSubject: " << body.substr(0, 12)
        << "\r\nDate: Mon, 07 Dec 2026 10:00:00 +0100\r\n\r\n"
        << body << "\r\n";
  };
  for (int i = 10; i < 22; ++i) {
    const std::string n = std::to_string(i);
    write(ham / (std::string("a") + n), std::string("Member ") + n + " <m" + n + "@team.example>",
          std::string("Notes ") + n + ": project agenda meeting minutes budget");
    if (i < 18) {
      write(spam / n, std::string("Lucky ") + n + " <l" + n + "@prize.example>",
            std::string("Claim ") + n + " now: winner prize jackpot");
    }
  }
  for (int i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i);
    write(ham / (std::string("z") + n),
          std::string("Stranger ") + n + " <s" + n + "@other.example>",
          std::string("Question ") + n +
              " on the project agenda, meeting minutes and budget: winner prize jackpot?");
  }
  const auto falsePositives = [&](const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"replay",     "--json", "--ham",
                                     ham.string(), "--spam", spam.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Field(outcome.out, "windowSize"), "200");
    return std::stoi("0" + Field(outcome.out, "falsePositives"));
  };
  EXPECT_EQ(falsePositives({}), 4);
  EXPECT_EQ(falsePositives({"--option", "bBayesUseValidWords=1"}), 0);
}

TEST_F(CommandLineTest, HelpIsThereForTheCommandAndEachSubcommand) {
  EXPECT_EQ(Run({"--help"}).status, 0);
  for (const char* command :
       {"deliver", "classify", "move", "to-spam", "to-inbox", "mark", "unmark", "watch", "options",
        "valid-texts", "stats", "replay", "demo"}) {
    const Outcome outcome = Run({command, "--help"});
    EXPECT_EQ(outcome.status, 0) << command;
    EXPECT_EQ(outcome.out.rfind(std::string("usage: skerrow ") + command, 0), 0u) << command;
  }
}

TEST_F(CommandLineTest, TheDemoRunsToASummary) {
  const Outcome outcome = Run({"demo"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("spam messages caught on arrival"), std::string::npos);
}

}  // namespace
}  // namespace skerrow
