#include "stats/LearnedList.h"

#include <limits>

namespace skerrow {

void LearnedList::Increment(std::string_view text) {
  const auto [entry, inserted] = entries_.try_emplace(std::string(KeyOf(text)), 2);
  // A count read from a damaged file may already be at the top of the range.
  if (!inserted && entry->second < std::numeric_limits<std::int32_t>::max()) ++entry->second;
}

void LearnedList::Remove(std::string_view text) {
  entries_.erase(std::string(KeyOf(text)));
}

bool LearnedList::IsListed(std::string_view text) const {
  return entries_.contains(std::string(KeyOf(text)));
}

}  // namespace skerrow
