#include "engine/TextSetSearch.h"

#include <cstddef>
#include <deque>

namespace skerrow {

namespace {

constexpr std::size_t kMaxEntries = std::size_t{16} << 20;
// An entry of the table that leads to a state where a string ends.
constexpr std::uint32_t kFound = UINT32_MAX;

}  // namespace

TextSetSearch::TextSetSearch(const std::vector<std::string>& strings) {
  std::size_t states = 1;
  for (const std::string& text : strings) {
    if (text.empty()) matchesEverything_ = true;
    states += text.size();
    for (char c : text) {
      std::uint16_t& cls = classOf_[static_cast<unsigned char>(c)];
      if (cls == 0) cls = static_cast<std::uint16_t>(classCount_++);
    }
  }
  if (matchesEverything_ || strings.empty()) return;
  if (states > kMaxEntries / classCount_) {
    oneByOne_ = strings;
    return;
  }

  // The trie: kNone where a state has no edge for a class yet.
  constexpr std::uint32_t kNone = UINT32_MAX;
  next_.assign(classCount_, kNone);
  std::vector<bool> ends(1, false);
  for (const std::string& text : strings) {
    std::uint32_t state = 0;
    for (char c : text) {
      const std::size_t slot = state * classCount_ + classOf_[static_cast<unsigned char>(c)];
      if (next_[slot] == kNone) {
        next_[slot] = static_cast<std::uint32_t>(ends.size());
        ends.push_back(false);
        next_.resize(next_.size() + classCount_, kNone);
      }
      state = next_[slot];
    }
    ends[state] = true;
  }

  // Breadth first, every missing edge is the edge of the state's longest
  // proper suffix state, and a state ends a string when that suffix does.
  std::vector<std::uint32_t> suffix(ends.size(), 0);
  std::deque<std::uint32_t> queue;
  for (std::size_t cls = 0; cls < classCount_; ++cls) {
    std::uint32_t& target = next_[cls];
    if (target == kNone) {
      target = 0;
    } else {
      suffix[target] = 0;
      queue.push_back(target);
    }
  }
  while (!queue.empty()) {
    const std::uint32_t state = queue.front();
    queue.pop_front();
    if (ends[suffix[state]]) ends[state] = true;
    for (std::size_t cls = 0; cls < classCount_; ++cls) {
      const std::size_t slot = state * classCount_ + cls;
      const std::uint32_t viaSuffix = next_[suffix[state] * classCount_ + cls];
      if (next_[slot] == kNone) {
        next_[slot] = viaSuffix;
      } else {
        suffix[next_[slot]] = viaSuffix;
        queue.push_back(next_[slot]);
      }
    }
  }
  // Each entry becomes the start of its state's row, or kFound where a
  // string ends: the search then takes one load a byte.
  for (std::uint32_t& target : next_) {
    target = ends[target] ? kFound : target * static_cast<std::uint32_t>(classCount_);
  }
}

bool TextSetSearch::FoundIn(std::string_view text) const {
  if (matchesEverything_) return true;
  if (!oneByOne_.empty()) {
    for (const std::string& wanted : oneByOne_) {
      if (text.find(wanted) != std::string_view::npos) return true;
    }
    return false;
  }
  if (next_.empty()) return false;
  std::uint32_t row = 0;
  for (char c : text) {
    row = next_[row + classOf_[static_cast<unsigned char>(c)]];
    if (row == kFound) return true;
  }
  return false;
}

}  // namespace skerrow
