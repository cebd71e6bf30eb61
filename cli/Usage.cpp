#include "cli/Usage.h"

namespace skerrow::cli {

const char* UsageHead() {
  return "usage: skerrow [--home DIR] [--store DIR] COMMAND [OPTIONS] [ARGS]\n"
         "\n"
         "Runs the spam filter add-in against a Maildir store.\n"
         "  --home DIR   the add-in's prefix folder (profile, registry, drive_c/, contacts/);\n"
         "               default $SKERROW_HOME, else ~/.local/share/skerrow\n"
         "  --store DIR  the Maildir store; default $SKERROW_STORE, else ~/Maildir\n"
         "The ANSI code page is 1252 unless SKERROW_CODEPAGE names another.\n";
}

const std::vector<HelpSection>& ReferenceSections() {
  static const std::vector<HelpSection> sections = {
      {"Files",
       "  HOME/win.ini  the options, in the section [Tamsquil] (see 'skerrow options\n"
       "                --help' for the keys)\n"
       "  HOME/registry.txt  the add-in's registry\n"
       "  HOME/drive_c/Program Files/Quelbrik/Skerrowdir/Tamsquill.bin\n"
       "                the dictionary: the words learned, the lists and the valid texts\n"
       "  HOME/drive_c/Skerrowlog.txt\n"
       "                the error log, one line per failed step, written while bErrorLog\n"
       "                is on\n"
       "  HOME/contacts/*.vcf  the address book: each file is one address list, each\n"
       "                vCard an entry (its FN and its first EMAIL)\n"
       "  STORE/Inbox/  the Inbox, a Maildir (cur/ new/ tmp/); the other top-level\n"
       "                folders (the Spam folder, \"Junk E-mail\" unless sSpamBoxName\n"
       "                names another) are Maildirs beside it, subfolders Maildirs inside\n"
       "                their parent's\n"
       "  STORE/.skerrow.lock  held while a command runs: a second instance on the same\n"
       "                store fails at once\n"},
      {"Environment",
       "  SKERROW_HOME      the prefix folder when --home is not given\n"
       "  SKERROW_STORE     the Maildir store when --store is not given\n"
       "  SKERROW_CODEPAGE  the ANSI code page of the add-in's texts (1252 unless set;\n"
       "                    for example 1251 or 936)\n"
       "  HOME              the base of the default prefix and store\n"},
      {"Exit status",
       "  0  success\n"
       "  1  any other failure (a missing or locked store, an unreadable message, a file\n"
       "     that could not be written), with a line on standard error that names it;\n"
       "     a mail delivery agent then keeps the message\n"
       "  2  bad usage: an unknown command or option, a missing argument\n"},
  };
  return sections;
}

void PrintUsage(std::FILE* out, const std::vector<std::unique_ptr<Command>>& commands) {
  std::fputs(UsageHead(), out);
  std::fputs("\nCommands:\n", out);
  for (const auto& command : commands) {
    std::fprintf(out, "  %-12s %s\n", command->Name(), command->Summary());
  }
  std::fputs("\nRun 'skerrow COMMAND --help' for a command's options.\n", out);
  for (const HelpSection& section : ReferenceSections()) {
    std::fprintf(out, "\n%s:\n%s", section.title, section.body);
  }
}

}  // namespace skerrow::cli
