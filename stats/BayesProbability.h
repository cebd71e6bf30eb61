// The probability that a message is spam, from the counts of its words.
#pragma once

#include "engine/MessageFeatures.h"

namespace skerrow {

class WordStatistics;

// Words seen in at least 5 spam messages, once more than 5 messages were
// learned as valid, are decisive when their probability lies outside 0.4 to
// 0.6; with fewer than minDecisiveWords of them the result is 0.5. Every
// decisive word enters the combined probability.
double BayesProbability(const WordStatistics& statistics, const WordSet& words,
                        int minDecisiveWords);

}  // namespace skerrow
