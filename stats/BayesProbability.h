// The probability that a message is spam, from the counts of its words.
#pragma once

#include "engine/MessageFeatures.h"

namespace skerrow {

class WordStatistics;

// Which learned words may speak.
enum class BayesWords {
  // Only words seen in at least 5 spam messages: the stage as specified. A
  // valid message's own vocabulary never speaks for it.
  SeenInSpam,
  // Also words seen in at least 5 valid messages (the opt-in
  // bBayesUseValidWords); one never seen in spam gets p = 1/6, mirroring
  // the substitute for a zero valid count.
  SeenInSpamOrValid,
};

// Usable words, once more than 5 messages were learned as valid, are
// decisive when their probability lies outside 0.4 to 0.6; with fewer than
// minDecisiveWords of them the result is 0.5. Every decisive word enters the
// combined probability.
double BayesProbability(const WordStatistics& statistics, const WordSet& words,
                        int minDecisiveWords, BayesWords usable = BayesWords::SeenInSpam);

}  // namespace skerrow
