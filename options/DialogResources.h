// The dialog resources of the options page and its three rule dialogs, written
// once as data: ids, captions, sizes, control kinds, texts and layout, all in
// dialog units. The dialog models take their controls from here, and a
// Windows build turns the same tables into its resource script
// (DialogResourceScript). The texts are shown to the user exactly as they
// stand, spelling included.
#pragma once

#include <span>

namespace skerrow {

enum class ControlKind {
  CheckBox,       // an automatic check box
  Button,         // a push button
  DefaultButton,  // the push button Enter presses
  Edit,           // a one-line edit field
  SortedList,     // a sorted list box with multiple selection
  Label,          // static text
  GroupBox,       // a frame with a title, also used as a labelled separator
  Icon,           // a static icon resource
};

struct ControlResource {
  int id;  // kStaticId for labels, frames and icons
  ControlKind kind;
  const char* text;
  int x, y, width, height;
  int iconResource = 0;  // Icon only
};

struct DialogResource {
  int id;
  const char* caption;  // empty for the page, whose title the host shows
  int width, height;
  std::span<const ControlResource> controls;
  bool isChildPage;  // the page lives inside the host's dialog; the others pop up
};

inline constexpr int kStaticId = -1;

namespace dialogid {
inline constexpr int kOptionsPage = 105;
inline constexpr int kOperationRules = 106;
inline constexpr int kValidationRules = 205;
inline constexpr int kSpamFilterRules = 206;
}  // namespace dialogid

// Buttons shared by the rule dialogs.
namespace ruleid {
inline constexpr int kReturn = 1;
inline constexpr int kHelp = 4;
}  // namespace ruleid

namespace pageid {
inline constexpr int kWebAddress = 201;
inline constexpr int kHelp = 220;
inline constexpr int kOperationRules = 221;
inline constexpr int kValidationRules = 222;
inline constexpr int kSpamFilterRules = 223;
inline constexpr int kShowToolbar = 238;
}  // namespace pageid

namespace operationid {
inline constexpr int kRestoreDefaults = 3;
inline constexpr int kSpamAutoMove = 202;
inline constexpr int kAddReportMarksToSubj = 203;
inline constexpr int kMarkAsRead = 204;
inline constexpr int kErrorLog = 205;
inline constexpr int kUniqueApp = 233;
inline constexpr int kHideViaExit = 234;
inline constexpr int kRemoveScripts = 235;
inline constexpr int kRemoveImages = 236;
inline constexpr int kAllowPlayMpg = 237;
inline constexpr int kSpamBoxName = 239;
}  // namespace operationid

namespace spamfilterid {
inline constexpr int kTestIllegalLang = 205;
inline constexpr int kTestEmpty = 206;
inline constexpr int kDangerAttachment = 207;
inline constexpr int kBadHtmlTags = 208;    // SSF1
inline constexpr int kBeforeHtmlEnd = 209;  // SSF2
inline constexpr int kBadChinaSymb = 210;   // SSF3
inline constexpr int kSpamLinks = 211;
inline constexpr int kExtraSmallFont = 212;  // SSF4
inline constexpr int kBayesFilter = 213;
inline constexpr int kMoveUnchangable = 214;
inline constexpr int kAllAttachments = 215;
inline constexpr int kRestoreDefaults = 224;
}  // namespace spamfilterid

namespace validationid {
inline constexpr int kRestoreDefaults = 223;
inline constexpr int kNewText = 225;
inline constexpr int kTexts = 226;
inline constexpr int kRemove = 227;
inline constexpr int kAdd = 228;
inline constexpr int kValidSubjectTxt = 229;
inline constexpr int kValidBodyTxt = 230;
inline constexpr int kDisableCheckAddrBook = 237;
}  // namespace validationid

// The icons beside the page's rule buttons and the notification icon.
namespace iconid {
inline constexpr int kSpamFilterRules = 207;
inline constexpr int kValidationRules = 208;
inline constexpr int kOperationRules = 209;
inline constexpr int kNotification = 210;
}  // namespace iconid

// The address button 201 shows and opens.
inline constexpr const char* kProductWebAddress = "https://skerrow.quelbrik.example/";

const DialogResource& OptionsPageResource();
const DialogResource& OperationRulesResource();
const DialogResource& ValidationRulesResource();
const DialogResource& SpamFilterRulesResource();
// All four, in resource id order.
std::span<const DialogResource* const> AllDialogResources();

}  // namespace skerrow
