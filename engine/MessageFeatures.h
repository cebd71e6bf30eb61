// The record of one message that every judgement and every training step
// works on. Built empty, filled once by extractFeatures, used, destroyed.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace skerrow {

// Ordered by byte value (std::string compares as unsigned bytes), each
// string once.
using WordSet = std::set<std::string>;

struct MessageFeatures {
  std::string senderName;  // only when bDisableCheckAddrBook is 0
  std::string subject;
  std::string bodyText;  // Body, or the rendered text of the HTML body
  std::u16string htmlBody;
  std::vector<std::string> attachmentNames;  // upper-cased, in attachment order
  WordSet links;                             // upper-cased
  int isHtml = 0;
  double unknownTagShare = 0.0;
  // Below 0.95 fires SSF2; stays 1.0 when the raw scan did not measure it
  // (an empty text, or one with an XML element).
  double textBeforeEndShare = 1.0;
  int smallFont = 0;
  // The HTML document was built from a leading part of the HTML only (the
  // engine bounds its work): bodyText shows that part alone.
  int htmlCut = 0;
  WordSet words;
  int maxWords = 40;
  int maxWordLength = 30;
  int maxLinkLength = 50;
  int urlSampleLimit = 2;
  int htmlChanged = 0;
};

}  // namespace skerrow
