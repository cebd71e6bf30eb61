#include "options/DialogResources.h"

namespace skerrow {

namespace {

using K = ControlKind;

constexpr ControlResource kOptionsPageControls[] = {
    {pageid::kWebAddress, K::Button,
     "Welcome to Skerrow! News, help and updates: https://skerrow.quelbrik.example/", 7, 7, 314,
     24},
    {pageid::kShowToolbar, K::CheckBox, "Show Toolbar", 14, 42, 120, 10},
    {kStaticId, K::Icon, "", 14, 64, 20, 20, iconid::kOperationRules},
    {pageid::kOperationRules, K::Button, "Operation Rules", 44, 67, 130, 15},
    {kStaticId, K::Icon, "", 14, 92, 20, 20, iconid::kValidationRules},
    {pageid::kValidationRules, K::Button, "Vaildation Rules", 44, 95, 130, 15},
    {kStaticId, K::Icon, "", 14, 120, 20, 20, iconid::kSpamFilterRules},
    {pageid::kSpamFilterRules, K::Button, "Spam Filtration Rules", 44, 123, 130, 15},
    {pageid::kHelp, K::Button, "Help", 271, 215, 50, 14},
};

constexpr ControlResource kOperationRulesControls[] = {
    {operationid::kAddReportMarksToSubj, K::CheckBox, "Add report marks to mail subjects.", 7, 7,
     249, 10},
    {operationid::kSpamAutoMove, K::CheckBox, "Move mail to the Spam folder  immediately.", 7, 21,
     249, 10},
    {operationid::kMarkAsRead, K::CheckBox, "Mark all message in the Spam folder as Read.", 7, 35,
     249, 10},
    {kStaticId, K::Label, "Spam Folder Name", 7, 52, 70, 8},
    {operationid::kSpamBoxName, K::Edit, "", 80, 50, 176, 12},
    {operationid::kErrorLog, K::CheckBox, "Store system erreors in the log file.", 7, 68, 249, 10},
    {kStaticId, K::GroupBox, "Non-filter options", 7, 84, 249, 88},
    {operationid::kUniqueApp, K::CheckBox, "Run only one copy of Outlook.", 14, 98, 235, 10},
    {operationid::kHideViaExit, K::CheckBox, "Hide Outlook to Systray instead exit it", 14, 112,
     235, 10},
    {operationid::kRemoveScripts, K::CheckBox, "Remove html scripts.", 14, 126, 235, 10},
    {operationid::kRemoveImages, K::CheckBox, "Remove html images.", 14, 140, 235, 10},
    {operationid::kAllowPlayMpg, K::CheckBox, "Allow play non-standard reminder alarms.", 14, 154,
     235, 10},
    {ruleid::kReturn, K::DefaultButton, "Return", 7, 229, 60, 14},
    {operationid::kRestoreDefaults, K::Button, "Restore Defaults", 96, 229, 70, 14},
    {ruleid::kHelp, K::Button, "Help", 196, 229, 60, 14},
};

constexpr ControlResource kValidationRulesControls[] = {
    {kStaticId, K::Label,
     "All letters that contains text from the list below can  be operated as valid.", 7, 7, 249, 8},
    {kStaticId, K::Label, "Insert new text:", 7, 22, 60, 8},
    {validationid::kNewText, K::Edit, "", 70, 20, 130, 12},
    {validationid::kAdd, K::Button, "Add", 206, 19, 50, 14},
    {validationid::kTexts, K::SortedList, "", 7, 38, 193, 100},
    {validationid::kRemove, K::Button, "Remove", 206, 38, 50, 14},
    {validationid::kValidSubjectTxt, K::CheckBox, "Check a letter subject", 7, 144, 120, 10},
    {validationid::kValidBodyTxt, K::CheckBox, "Check a letter body", 134, 144, 122, 10},
    {kStaticId, K::GroupBox, "Especial", 7, 160, 249, 46},
    {kStaticId, K::Label, "Please read help before using", 14, 173, 235, 8},
    {validationid::kDisableCheckAddrBook, K::CheckBox, "Disable checking of address book", 14, 187,
     235, 10},
    {ruleid::kReturn, K::DefaultButton, "Return", 7, 215, 60, 14},
    {validationid::kRestoreDefaults, K::Button, "Restore Defaults", 96, 215, 70, 14},
    {ruleid::kHelp, K::Button, "Help", 196, 215, 60, 14},
};

constexpr ControlResource kSpamFilterRulesControls[] = {
    {spamfilterid::kTestIllegalLang, K::CheckBox, "Restrict Illegal Language.", 7, 7, 249, 10},
    {spamfilterid::kDangerAttachment, K::CheckBox, "Restrict danger attachments.", 7, 21, 249, 10},
    {spamfilterid::kAllAttachments, K::CheckBox, "Restrict all attachments.", 7, 35, 249, 10},
    {spamfilterid::kTestEmpty, K::CheckBox, "Restrict empty body, sender.", 7, 49, 249, 10},
    {spamfilterid::kSpamLinks, K::CheckBox, "Restrict spam links.", 7, 63, 249, 10},
    {spamfilterid::kBayesFilter, K::CheckBox, "Use Bayes Filter.", 7, 77, 249, 10},
    {spamfilterid::kMoveUnchangable, K::CheckBox,
     "Move Unchangeable Mails to _Spam Folder automatically.", 7, 91, 249, 10},
    {kStaticId, K::GroupBox, "Special statistical filters (SSF)", 7, 107, 249, 50},
    {spamfilterid::kBadHtmlTags, K::CheckBox, "SSF1", 14, 121, 100, 10},
    {spamfilterid::kBeforeHtmlEnd, K::CheckBox, "SSF2", 134, 121, 100, 10},
    {spamfilterid::kBadChinaSymb, K::CheckBox, "SSF3", 14, 139, 100, 10},
    {spamfilterid::kExtraSmallFont, K::CheckBox, "SSF4", 134, 139, 100, 10},
    {ruleid::kReturn, K::DefaultButton, "Return", 7, 166, 60, 14},
    {spamfilterid::kRestoreDefaults, K::Button, "Restore Defaults", 96, 166, 70, 14},
    {ruleid::kHelp, K::Button, "Help", 196, 166, 60, 14},
};

constexpr DialogResource kOptionsPage{dialogid::kOptionsPage, "",  328, 236,
                                      kOptionsPageControls,   true};
constexpr DialogResource kOperationRules{
    dialogid::kOperationRules, "Operation Rules", 263, 250, kOperationRulesControls, false};
constexpr DialogResource kValidationRules{
    dialogid::kValidationRules, "Validation Rules", 263, 236, kValidationRulesControls, false};
constexpr DialogResource kSpamFilterRules{
    dialogid::kSpamFilterRules, "Spam Filter Rules", 263, 187, kSpamFilterRulesControls, false};

constexpr const DialogResource* kAll[] = {&kOptionsPage, &kOperationRules, &kValidationRules,
                                          &kSpamFilterRules};

}  // namespace

const DialogResource& OptionsPageResource() {
  return kOptionsPage;
}
const DialogResource& OperationRulesResource() {
  return kOperationRules;
}
const DialogResource& ValidationRulesResource() {
  return kValidationRules;
}
const DialogResource& SpamFilterRulesResource() {
  return kSpamFilterRules;
}

std::span<const DialogResource* const> AllDialogResources() {
  return kAll;
}

}  // namespace skerrow
