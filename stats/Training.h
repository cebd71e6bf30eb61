// The four lessons the filter learns from. The caller has decided; these only
// apply the decision to the statistics, in memory.
#pragma once

#include "engine/MessageFeatures.h"

namespace skerrow {

class WordStatistics;

void LearnValid(WordStatistics& statistics, const MessageFeatures& features);
void LearnSpam(WordStatistics& statistics, const MessageFeatures& features);
void UnlearnSpam(WordStatistics& statistics, const MessageFeatures& features);
void RelearnSpam(WordStatistics& statistics, const MessageFeatures& features);

}  // namespace skerrow
