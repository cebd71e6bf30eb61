#include "cli/SettingsCommands.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/OptionAssignments.h"
#include "cli/OptionKeys.h"
#include "cli/Session.h"
#include "cli/Text.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow::cli {

const char* OptionsCommand::Help() const {
  static const std::string help =
      "usage: skerrow options [KEY=VALUE...]\n"
      "\n"
      "Prints the 26 stored options as KEY=VALUE lines, in the order they are saved,\n"
      "then the advanced setting. With assignments, applies them the way the options\n"
      "page's Apply does: the options are stored and saved, the toolbar shown or\n"
      "hidden, the Spam folder renamed to sSpamBoxName. Switches take integers (0 off,\n"
      "1 on). bWndMaximize is kept by the window service and cannot be set here.\n"
      "\n"
      "Keys, with their defaults:\n" +
      OptionKeysHelp();
  return help.c_str();
}

int OptionsCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser parser({}, {});
  std::string error;
  if (!parser.Parse(args, error)) return UsageError(*this, error);

  // Every assignment is checked before anything is opened: a bad one
  // changes nothing.
  OptionAssignments assignments;
  if (!ParseOptionAssignments(parser.Operands(), assignments, error)) {
    return UsageError(*this, error);
  }

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  FilterOptions& options = TheFilterOptions();
  if (!assignments.empty()) {
    FilterOptions page = options;
    for (const auto& [key, value] : assignments) {
      page.SetStoredValue(
          key, key == "sSpamBoxName" ? Utf8ToAnsi(value, session->platform().codePage) : value);
    }
    // The profile is written in one replacement and the rename follows with
    // nothing but the stand-in toolbar in between: a kill inside that window
    // leaves the new name saved and the folder under the old one.
    options.ApplyOptions(page, session->platform().profile);
    Skerrow& addIn = session->addIn();
    addIn.UpdateToolbarVisibility();
    addIn.RenameSpamFolder();
    addIn.ShowTrayIcon(options.bHideViaExit != 0);
  }
  for (const auto& [key, value] : options.StoredValues()) {
    const std::string shown =
        key == "sSpamBoxName" ? AnsiToUtf8(value, session->platform().codePage) : value;
    std::printf("%s=%s\n", key.c_str(), Printable(shown).c_str());
  }
  return session->Close(kExitOk);
}

const char* ValidTextsCommand::Help() const {
  return "usage: skerrow valid-texts [--add TEXT]... [--remove TEXT]...\n"
         "\n"
         "Prints the valid-text list, one text per line: a message whose subject or body\n"
         "contains one of them (ignoring case) is valid. --remove takes texts out of the\n"
         "list, --add puts texts in; the list is saved with the dictionary.\n";
}

int ValidTextsCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser parser({}, {"--add", "--remove"});
  std::string error;
  if (!parser.Parse(args, error)) return UsageError(*this, error);
  if (!parser.Operands().empty()) return UsageError(*this, "unexpected " + parser.Operands()[0]);

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  Skerrow& addIn = session->addIn();
  const CodePage& codePage = session->platform().codePage;
  // As the Validation Rules dialog does it: removals at once, then the list
  // with the additions replaces the whole list.
  std::vector<std::string> removed;
  for (const std::string& text : parser.Values("--remove")) {
    removed.push_back(Utf8ToAnsi(text, codePage));
  }
  if (!removed.empty()) addIn.RemoveValidTexts(removed);
  const std::vector<std::string> added = parser.Values("--add");
  if (!added.empty()) {
    const auto current = addIn.ValidTexts();
    std::vector<std::string> entries(current.begin(), current.end());
    for (const std::string& text : added) entries.push_back(Utf8ToAnsi(text, codePage));
    addIn.SetValidTexts(entries);
  }
  for (const std::string& text : addIn.ValidTexts()) {
    std::printf("%s\n", Printable(AnsiToUtf8(text, codePage)).c_str());
  }
  return session->Close(kExitOk);
}

}  // namespace skerrow::cli
