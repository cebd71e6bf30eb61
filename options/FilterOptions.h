// The process-wide options record. Every Part reads its fields at the moment
// it needs them; nothing caches them. Switches are 32-bit integers used as
// booleans (0 off, anything else on); strings are in the ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skerrow {

class Profile;
class Registry;

struct FilterOptions {
  std::int32_t bShowToolbar = 0;
  std::int32_t bSpamAutoMove = 0;
  std::int32_t bAddReportMarksToSubj = 0;
  std::int32_t bMarkAsRead = 1;
  std::int32_t bUniqueApp = 0;
  std::int32_t bHideViaExit = 0;
  std::int32_t bRemoveScripts = 0;
  std::int32_t bRemoveImages = 0;
  std::int32_t bWndMaximize = 0;
  std::int32_t bAllowPlayMpg = 0;
  std::int32_t bErrorLog = 0;
  std::string LogFilePath = "C:\\Skerrowlog.txt";
  std::int32_t bValidSubjectTxt = 0;
  std::int32_t bValidBodyTxt = 0;
  std::int32_t bDisableCheckAddrBook = 0;
  std::int32_t bTestIllegalLang = 1;
  std::int32_t bTestEmpty = 1;
  std::int32_t bDangerAttachment = 1;
  std::int32_t bAllAttachments = 0;
  std::int32_t bBadHtmlTags = 0;
  std::int32_t bBeforeHtmlEnd = 0;
  std::int32_t bExtraSmallFont = 0;
  std::int32_t bBadChinaSymb = 0;
  std::int32_t bSpamLinks = 0;
  std::int32_t bBayesFilter = 0;
  std::int32_t bMoveUnchangable = 0;
  std::string ProfileSection = "Tamsquil";
  std::string InstallFolder = "C:\\Program Files\\Quelbrik\\Skerrowdir";
  std::string ProgramFilesFolder = "C:\\Program Files";
  std::string sSpamBoxName = "Junk E-mail";
  // An advanced setting beyond the 26 (kept in WIN.INI, not on the options
  // page): the Bayes stage also hears words seen in 5 or more valid
  // messages. Off by default, which is the stage as it always was.
  std::int32_t bBayesUseValidWords = 0;

  // Reads "ProgramFilesDir" from the registry, sets ProgramFilesFolder and
  // InstallFolder, then LoadOptions.
  void LocateInstallFolder(Registry& registry, Profile& profile);
  // Reads the 26 stored keys, in the load order, with their load defaults,
  // then bBayesUseValidWords (default 0).
  void LoadOptions(Profile& profile);
  // Writes the 26 stored keys, in the save order, then bBayesUseValidWords,
  // as one change of the profile. False when the profile was not written;
  // the record in memory stays as it is either way.
  bool SaveOptions(Profile& profile) const;
  // Takes the options page's values for every stored option but bWndMaximize
  // (the Spam folder name cut to 1023 characters, as loading cuts it), then
  // saves. False when the save failed. A page that does not show
  // bBayesUseValidWords hands over the value it was opened with.
  bool ApplyOptions(const FilterOptions& page, Profile& profile);

  // The stored keys in the save order (the 26, then bBayesUseValidWords),
  // each with its text as saved.
  std::vector<std::pair<std::string, std::string>> StoredValues() const;
  // Sets one stored key from a text: a switch from a decimal integer, the
  // Spam folder name as it stands. False for an unknown key or a switch
  // value that is not an integer; nothing changes then.
  bool SetStoredValue(std::string_view key, std::string_view text);
};

// The one record of the process, constructed with the module.
FilterOptions& TheFilterOptions();

}  // namespace skerrow
