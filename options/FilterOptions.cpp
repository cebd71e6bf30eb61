#include "options/FilterOptions.h"

#include <charconv>
#include <cstdio>
#include <system_error>

#include "platform/Platform.h"

namespace skerrow {

namespace {

constexpr std::size_t kNameBufferSize = 1024;
constexpr std::size_t kRegistryBufferSize = 260;
constexpr const char* kDefaultSpamBoxName = "Junk E-mail";

struct Switch {
  const char* key;
  std::int32_t FilterOptions::*field;
};

#define SKERROW_SWITCH(name)    \
  Switch {                      \
#name, &FilterOptions::name \
  }

// The order in which the keys are saved; sSpamBoxName goes after the first.
constexpr Switch kSaveOrder[] = {
    SKERROW_SWITCH(bShowToolbar),
    SKERROW_SWITCH(bSpamAutoMove),
    SKERROW_SWITCH(bAddReportMarksToSubj),
    SKERROW_SWITCH(bMarkAsRead),
    SKERROW_SWITCH(bUniqueApp),
    SKERROW_SWITCH(bHideViaExit),
    SKERROW_SWITCH(bRemoveScripts),
    SKERROW_SWITCH(bRemoveImages),
    SKERROW_SWITCH(bWndMaximize),
    SKERROW_SWITCH(bAllowPlayMpg),
    SKERROW_SWITCH(bErrorLog),
    SKERROW_SWITCH(bValidSubjectTxt),
    SKERROW_SWITCH(bValidBodyTxt),
    SKERROW_SWITCH(bTestIllegalLang),
    SKERROW_SWITCH(bTestEmpty),
    SKERROW_SWITCH(bDangerAttachment),
    SKERROW_SWITCH(bBadHtmlTags),
    SKERROW_SWITCH(bBeforeHtmlEnd),
    SKERROW_SWITCH(bBadChinaSymb),
    SKERROW_SWITCH(bSpamLinks),
    SKERROW_SWITCH(bExtraSmallFont),
    SKERROW_SWITCH(bMoveUnchangable),
    SKERROW_SWITCH(bBayesFilter),
    SKERROW_SWITCH(bAllAttachments),
    SKERROW_SWITCH(bDisableCheckAddrBook),
    // The advanced settings, saved after the 26 keys of the profile.
    SKERROW_SWITCH(bBayesUseValidWords),
};

// The fields the options page hands over; bWndMaximize is not among them.
constexpr Switch kPageSwitches[] = {
    SKERROW_SWITCH(bShowToolbar),
    SKERROW_SWITCH(bSpamAutoMove),
    SKERROW_SWITCH(bAddReportMarksToSubj),
    SKERROW_SWITCH(bMarkAsRead),
    SKERROW_SWITCH(bErrorLog),
    SKERROW_SWITCH(bUniqueApp),
    SKERROW_SWITCH(bHideViaExit),
    SKERROW_SWITCH(bRemoveScripts),
    SKERROW_SWITCH(bRemoveImages),
    SKERROW_SWITCH(bAllowPlayMpg),
    SKERROW_SWITCH(bValidSubjectTxt),
    SKERROW_SWITCH(bValidBodyTxt),
    SKERROW_SWITCH(bDisableCheckAddrBook),
    SKERROW_SWITCH(bTestIllegalLang),
    SKERROW_SWITCH(bTestEmpty),
    SKERROW_SWITCH(bDangerAttachment),
    SKERROW_SWITCH(bBadHtmlTags),
    SKERROW_SWITCH(bBeforeHtmlEnd),
    SKERROW_SWITCH(bBadChinaSymb),
    SKERROW_SWITCH(bSpamLinks),
    SKERROW_SWITCH(bExtraSmallFont),
    SKERROW_SWITCH(bBayesFilter),
    SKERROW_SWITCH(bMoveUnchangable),
    SKERROW_SWITCH(bAllAttachments),
    // Not shown on the page: the page hands over what it was opened with.
    SKERROW_SWITCH(bBayesUseValidWords),
};

#undef SKERROW_SWITCH

}  // namespace

FilterOptions& TheFilterOptions() {
  static FilterOptions options;
  return options;
}

void FilterOptions::LocateInstallFolder(Registry& registry, Profile& profile) {
  if (auto folder = registry.QueryString(RegistryRoot::LocalMachine,
                                         "Software\\Microsoft\\Windows\\CurrentVersion",
                                         "ProgramFilesDir", kRegistryBufferSize)) {
    ProgramFilesFolder = *folder;
  }
  InstallFolder = ProgramFilesFolder + "\\Quelbrik\\Skerrowdir";
  LoadOptions(profile);
}

void FilterOptions::LoadOptions(Profile& profile) {
  const std::string& s = ProfileSection;
  bShowToolbar = profile.ReadInt(s, "bShowToolbar", 1);
  sSpamBoxName = profile.ReadString(s, "sSpamBoxName", kDefaultSpamBoxName, kNameBufferSize);
  bSpamAutoMove = profile.ReadInt(s, "bSpamAutoMove", 0);
  bAddReportMarksToSubj = profile.ReadInt(s, "bAddReportMarksToSubj", 0);
  bMarkAsRead = profile.ReadInt(s, "bMarkAsRead", 1);
  bUniqueApp = profile.ReadInt(s, "bUniqueApp", 0);
  bHideViaExit = profile.ReadInt(s, "bHideViaExit", 0);
  bRemoveScripts = profile.ReadInt(s, "bRemoveScripts", 0);
  bRemoveImages = profile.ReadInt(s, "bRemoveImages", 0);
  bWndMaximize = profile.ReadInt(s, "bWndMaximize", 0);
  bAllowPlayMpg = profile.ReadInt(s, "bAllowPlayMpg", 0);
  bErrorLog = profile.ReadInt(s, "bErrorLog", bErrorLog);
  bValidSubjectTxt = profile.ReadInt(s, "bValidSubjectTxt", 1);
  bValidBodyTxt = profile.ReadInt(s, "bValidBodyTxt", 1);
  bDisableCheckAddrBook = profile.ReadInt(s, "bDisableCheckAddrBook", 0);
  bTestIllegalLang = profile.ReadInt(s, "bTestIllegalLang", 1);
  bTestEmpty = profile.ReadInt(s, "bTestEmpty", 1);
  bDangerAttachment = profile.ReadInt(s, "bDangerAttachment", 1);
  bBadHtmlTags = profile.ReadInt(s, "bBadHtmlTags", 1);
  bBeforeHtmlEnd = profile.ReadInt(s, "bBeforeHtmlEnd", 1);
  bBadChinaSymb = profile.ReadInt(s, "bBadChinaSymb", 1);
  bSpamLinks = profile.ReadInt(s, "bSpamLinks", 1);
  bExtraSmallFont = profile.ReadInt(s, "bExtraSmallFont", 1);
  bMoveUnchangable = profile.ReadInt(s, "bMoveUnchangable", 0);
  bBayesFilter = profile.ReadInt(s, "bBayesFilter", 1);
  bAllAttachments = profile.ReadInt(s, "bAllAttachments", 0);
  bBayesUseValidWords = profile.ReadInt(s, "bBayesUseValidWords", 0);
}

std::vector<std::pair<std::string, std::string>> FilterOptions::StoredValues() const {
  std::vector<std::pair<std::string, std::string>> values;
  for (const Switch& option : kSaveOrder) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", this->*option.field);
    values.emplace_back(option.key, text);
    if (values.size() == 1) values.emplace_back("sSpamBoxName", sSpamBoxName);
  }
  return values;
}

bool FilterOptions::SetStoredValue(std::string_view key, std::string_view text) {
  if (key == "sSpamBoxName") {
    sSpamBoxName = std::string(text);
    return true;
  }
  for (const Switch& option : kSaveOrder) {
    if (key != option.key) continue;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end) return false;
    this->*option.field = value;
    return true;
  }
  return false;
}

bool FilterOptions::SaveOptions(Profile& profile) const {
  // One change for all the keys: a process killed half-way through must not
  // leave some keys new and others old (a new Spam folder name beside the
  // old folder splits the Spam folder in two).
  return profile.WriteStrings(ProfileSection, StoredValues());
}

bool FilterOptions::ApplyOptions(const FilterOptions& page, Profile& profile) {
  for (const Switch& option : kPageSwitches) this->*option.field = page.*option.field;
  // The same cut as loading makes, so that what is in use is what the next
  // start loads.
  sSpamBoxName = page.sSpamBoxName.substr(0, kNameBufferSize - 1);
  return SaveOptions(profile);
}

}  // namespace skerrow
