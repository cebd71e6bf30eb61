// Word statistics of the sizes the filter keeps at most, for the benchmarks.
#pragma once

#include <random>
#include <string>

#include "stats/WordStatistics.h"

namespace skerrow {

// An upper-case word of 4 to 12 letters.
std::string Word(std::mt19937& random);
// A table of `size` words whose counts look like a year of mail.
WordTable FullTable(std::size_t size, std::mt19937& random);
// A full dictionary: WordLimit words, every learned list at its limit, 500
// valid texts.
WordStatistics FullStatistics();

}  // namespace skerrow
