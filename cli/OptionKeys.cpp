#include "cli/OptionKeys.h"

#include <algorithm>

#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow::cli {

namespace {

// A profile without a single key: loading from it gives the defaults, as a
// first start does.
class EmptyProfile : public Profile {
 public:
  std::int32_t ReadInt(std::string_view, std::string_view, std::int32_t value) override {
    return value;
  }
  std::string ReadString(std::string_view, std::string_view, std::string_view value,
                         std::size_t) override {
    return std::string(value);
  }
  bool WriteString(std::string_view, std::string_view, std::string_view) override { return false; }
};

}  // namespace

const std::vector<OptionKey>& OptionKeys() {
  static const std::vector<OptionKey> keys = {
      {"bShowToolbar", "the add-in's toolbar is shown (in the mail client on Windows)"},
      {"sSpamBoxName", "the name of the Spam folder; a change renames the folder"},
      {"bSpamAutoMove", "a message judged spam is moved to the Spam folder at once"},
      {"bAddReportMarksToSubj", "the subject of spam also gets the reason, e.g. [Empty Body   ]"},
      {"bMarkAsRead", "messages in the Spam folder are marked as read (the Maildir S flag)"},
      {"bUniqueApp", "only one copy of the mail client may run (Windows)"},
      {"bHideViaExit", "closing the mail client hides it to the notification area (Windows)"},
      {"bRemoveScripts", "scripts are removed from HTML mail as it arrives"},
      {"bRemoveImages", "images are removed from HTML mail as it arrives"},
      {"bWndMaximize", "the main window was last maximized (kept by Windows; cannot be set)"},
      {"bAllowPlayMpg", "non-standard reminder sounds may play (Windows)"},
      {"bErrorLog", "failures are written to the error log, drive_c/Skerrowlog.txt"},
      {"bValidSubjectTxt", "a subject holding a valid text makes a message valid"},
      {"bValidBodyTxt", "a body holding a valid text makes a message valid"},
      {"bDisableCheckAddrBook", "the address book and the sender's name are not consulted"},
      {"bTestIllegalLang", "text the code page cannot hold, or a GB2312 charset, makes mail spam"},
      {"bTestEmpty", "a message with an empty body or sender is spam"},
      {"bDangerAttachment", "a message with a dangerous attachment (a program) is spam"},
      {"bAllAttachments", "a message with any attachment is spam"},
      {"bBadHtmlTags", "SSF1: HTML with many unknown tags is spam"},
      {"bBeforeHtmlEnd", "SSF2: HTML with text after its end is spam"},
      {"bExtraSmallFont", "SSF4: HTML in an extra-small font is spam"},
      {"bBadChinaSymb", "SSF3: a body with a pattern of Chinese symbols is spam"},
      {"bSpamLinks", "a message with a link learned from spam is spam"},
      {"bBayesFilter", "the Bayes stage judges what no rule decided, learning as it goes"},
      {"bMoveUnchangable", "private messages go to the Spam folder unmarked"},
      // The advanced setting, in WIN.INI only on Windows.
      {"bBayesUseValidWords",
       "advanced: Bayes also hears words seen in 5 or more valid messages (fewer false spam)"},
  };
  return keys;
}

const char* OptionMeaning(std::string_view key) {
  const auto& keys = OptionKeys();
  const auto found = std::find_if(keys.begin(), keys.end(),
                                  [&](const OptionKey& option) { return option.key == key; });
  return found == keys.end() ? nullptr : found->meaning;
}

std::string OptionKeysHelp() {
  FilterOptions defaults;
  EmptyProfile empty;
  defaults.LoadOptions(empty);
  std::string text;
  for (const auto& [key, value] : defaults.StoredValues()) {
    const char* meaning = OptionMeaning(key);
    text += "  " + key + "=" + value + "\n      " + (meaning ? meaning : "") + "\n";
  }
  return text;
}

}  // namespace skerrow::cli
