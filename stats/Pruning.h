// Shrinking the word table and the learned lists before the dictionary is
// written. Both walk their map in its own iteration order, which decides what
// goes when the quota runs out part-way through a pass.
#pragma once

#include <cstdint>

#include "stats/WordStatistics.h"

namespace skerrow {

// Above wordLimit entries, removes excess + wordLimit / 10 words (one more,
// in fact, since the run ends only once the quota is below zero): for
// k = 1, 2, ... below CountLimit, pass A removes the words seen in at most k
// spam messages, pass B those seen in exactly k valid messages.
// A pass ends at the table's end or after visiting as many entries as the
// table holds at that moment, so the last entries of a pass that removed
// some are not visited.
void PruneWords(WordTable& table, std::int32_t wordLimit = WordStatistics::WordLimit);

// Above its entry limit, removes excess + limit / 10 texts (again one more):
// for k = 1 to 99,
// each pass removes the texts counted at most k times and lowers the count of
// every other text it visits by one.
void PruneList(LearnedList& list);

}  // namespace skerrow
