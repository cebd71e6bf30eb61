#include "stats/WordOrder.h"

#include <algorithm>
#include <utility>

namespace skerrow {

namespace {

bool KeyBefore(const WordOrder::Record* a, const WordOrder::Record* b) {
  return a->first < b->first;
}

}  // namespace

WordOrder::WordOrder(WordOrder&& other) noexcept
    : known_(std::exchange(other.known_, false)),
      ascending_(std::move(other.ascending_)),
      added_(std::move(other.added_)) {}

WordOrder& WordOrder::operator=(WordOrder&& other) noexcept {
  if (this != &other) {
    known_ = std::exchange(other.known_, false);
    ascending_ = std::move(other.ascending_);
    added_ = std::move(other.added_);
  }
  return *this;
}

void WordOrder::Keep(std::vector<const Record*> ascending) {
  known_ = true;
  ascending_ = std::move(ascending);
  added_.clear();
}

void WordOrder::Forget() {
  known_ = false;
  ascending_.clear();
  added_.clear();
}

std::vector<const WordOrder::Record*> WordOrder::Ascending() const {
  std::vector<const Record*> added = added_;
  std::sort(added.begin(), added.end(), KeyBefore);
  std::vector<const Record*> merged;
  merged.reserve(ascending_.size() + added.size());
  // A learned word was not in the table before: its place is found with a
  // few comparisons, and the records between are copied without any.
  auto from = ascending_.begin();
  for (const Record* record : added) {
    const auto place = std::lower_bound(from, ascending_.end(), record, KeyBefore);
    merged.insert(merged.end(), from, place);
    merged.push_back(record);
    from = place;
  }
  merged.insert(merged.end(), from, ascending_.end());
  return merged;
}

}  // namespace skerrow
