#include "engine/ValidMessageCheck.h"

#include <string>
#include <vector>

#include "engine/AddressBook.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "stats/WordStatistics.h"

namespace skerrow {

bool ValidMessageCheck::isValidMessage(const MessageFeatures& features) const {
  const FilterOptions& options = env_.options;
  const CodePage& codePage = env_.platform.codePage;
  if (!features.senderName.empty()) {
    if (statistics_.ValidSenders().IsListed(features.senderName)) return true;
    if (addressBook_.Contains(features.senderName, codePage)) return true;
  }
  if (!features.subject.empty() && options.bValidSubjectTxt &&
      ContainsValidText(features.subject)) {
    return true;
  }
  // The rendered text, not the markup: a valid text hidden in a tag does not
  // count.
  return !features.bodyText.empty() && options.bValidBodyTxt &&
         ContainsValidText(features.bodyText);
}

bool ValidMessageCheck::ContainsValidText(const std::string& text) const {
  const CodePage& codePage = env_.platform.codePage;
  if (upperValidTextsVersion_ != statistics_.ValidTextsVersion()) {
    std::vector<std::string> upper;
    for (const std::string& validText : statistics_.ValidTexts()) {
      upper.push_back(codePage.ToUpper(validText));
    }
    upperValidTexts_ = TextSetSearch(upper);
    upperValidTextsVersion_ = statistics_.ValidTextsVersion();
  }
  return upperValidTexts_.FoundIn(codePage.ToUpper(text));
}

}  // namespace skerrow
