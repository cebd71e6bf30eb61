// The bash completion of dist/bash-completion/skerrow, driven as bash drives
// it: the function that `complete -p skerrow` names, called with COMP_WORDS
// and COMP_CWORD set as readline splits the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

struct CompletionCase {
  std::vector<std::string> words;  // after "skerrow"; the last is the one completed
  std::vector<std::string> replies;
};

class BashCompletionTest : public CommandLineTest,
                           public ::testing::WithParamInterface<CompletionCase> {
 protected:
  BashCompletionTest() {
    for (const char* name : {"Inbox", "Junk E-mail", "Inbox/Archive"}) {
      fs::create_directories(store() / name / "cur");
    }
    fs::create_directories(base / "other" / "Saved" / "cur");
  }

  // The replies, sorted; nullopt when bash could not run the completion.
  std::vector<std::string> Complete(std::vector<std::string> words) {
    std::string script = "source " + Quote(SKERROW_SOURCE_DIR "/dist/bash-completion/skerrow") +
                         " || exit 3\n"
                         "spec=$(complete -p skerrow) || exit 4\n"
                         "function=${spec#*-F }; function=${function%% *}\n"
                         "COMP_WORDS=(" +
                         Quote(SKERROW_BINARY);
    for (std::string& word : words) {
      if (word == "@store") word = store().string();
      if (word == "@other") word = (base / "other").string();
      script += " " + Quote(word);
    }
    const std::string cur = words.back();
    const std::string prev = words.size() > 1 ? words[words.size() - 2] : "skerrow";
    script += ")\nCOMP_CWORD=" + std::to_string(words.size()) + "\n\"$function\" skerrow " +
              Quote(cur) + " " + Quote(prev) + "\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
    const fs::path file = folder.path() / "complete.sh";
    std::ofstream(file) << script;
    const fs::path out = folder.path() / "replies.txt";
    const std::string command = "env SKERROW_STORE=" + Quote(store().string()) + " bash " +
                                Quote(file.string()) + " >" + Quote(out.string());
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << script;
    std::vector<std::string> replies;
    std::istringstream lines(ReadText(out));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty()) replies.push_back(line);
    }
    std::sort(replies.begin(), replies.end());
    return replies;
  }
};

TEST_P(BashCompletionTest, OffersWhatTheCommandTakesThere) {
  std::vector<std::string> expected = GetParam().replies;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Complete(GetParam().words), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BashCompletionTest,
    ::testing::Values(CompletionCase{{"de"}, {"deliver", "demo"}},
                      CompletionCase{{"--st"}, {"--store"}},
                      CompletionCase{{"--store", "@store", "va"}, {"valid-texts"}},
                      CompletionCase{{"move", "--"}, {"--help", "--to"}},
                      CompletionCase{{"move", "--to", "Ju"}, {"Junk\\ E-mail"}},
                      CompletionCase{{"move", "--to", ""},
                                     {"Inbox", "Inbox/Archive", "Junk\\ E-mail"}},
                      CompletionCase{{"--store", "@other", "move", "--to", ""}, {"Saved"}},
                      CompletionCase{{"move", "--to", "=", "In"}, {"Inbox", "Inbox/Archive"}},
                      CompletionCase{{"options", "bSpamA"}, {"bSpamAutoMove="}},
                      CompletionCase{{"options", "sSpam"}, {"sSpamBoxName="}},
                      CompletionCase{{"options", "bSpamAutoMove", "=", ""}, {"0", "1"}},
                      CompletionCase{{"options", "sSpamBoxName", "=", "J"}, {"Junk\\ E-mail"}},
                      CompletionCase{{"replay", "--h"}, {"--ham", "--help"}},
                      CompletionCase{{"valid-texts", "--add", ""}, {}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace skerrow
