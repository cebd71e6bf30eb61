#include "stats/Pruning.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <vector>

#include "stats/PackedCounts.h"

namespace skerrow {

namespace {

// Counts the entries still in the table up to a position of the iteration
// order, so that a pass can tell how far it would have walked.
class LiveEntryCounter {
 public:
  explicit LiveEntryCounter(std::size_t size) : tree_(size + 1, 0) {
    for (std::size_t i = 1; i <= size; ++i) {
      tree_[i] += 1;
      const std::size_t parent = i + (i & (~i + 1));
      if (parent <= size) tree_[parent] += tree_[i];
    }
  }

  void Remove(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) --tree_[i];
  }

  // Live entries at positions 0..position.
  std::int64_t CountThrough(std::size_t position) const {
    std::int64_t count = 0;
    for (std::size_t i = position + 1; i > 0; i -= i & (~i + 1)) count += tree_[i];
    return count;
  }

 private:
  std::vector<std::int64_t> tree_;
};

}  // namespace

// The literal algorithm revisits the whole table for every k up to 65534,
// which takes minutes when every count is high. This gives the same result
// from the positions of the entries in the iteration order: a pass removes its
// candidates (the entries the pass would remove if it visited them) in that
// order for as long as the pass would still be walking, and a k at which no
// pass has a candidate changes nothing and is skipped.
void PruneWords(WordTable& table, std::int32_t wordLimit) {
  const auto size = static_cast<std::int64_t>(table.size());
  const std::int64_t excess = size - wordLimit;
  if (excess <= 0) return;
  std::int64_t quota = excess + wordLimit / 10;

  const auto count = static_cast<std::size_t>(size);
  std::vector<WordTable::iterator> order;
  std::vector<std::int32_t> spam;
  std::vector<std::int32_t> valid;
  order.reserve(count);
  spam.reserve(count);
  valid.reserve(count);
  for (auto entry = table.begin(); entry != table.end(); ++entry) {
    order.push_back(entry);
    spam.push_back(SpamCountOf(entry->second));
    valid.push_back(ValidCountOf(entry->second));
  }
  std::vector<std::size_t> bySpam(count);
  std::iota(bySpam.begin(), bySpam.end(), 0);
  std::vector<std::size_t> byValid = bySpam;
  std::stable_sort(bySpam.begin(), bySpam.end(),
                   [&](std::size_t a, std::size_t b) { return spam[a] < spam[b]; });
  std::stable_sort(byValid.begin(), byValid.end(),
                   [&](std::size_t a, std::size_t b) { return valid[a] < valid[b]; });

  std::vector<bool> alive(count, true);
  LiveEntryCounter live(count);
  std::int64_t liveCount = size;
  // Live entries whose spam count is at most the current k, in table order.
  std::set<std::size_t> spamCandidates;
  std::size_t nextBySpam = 0;
  std::size_t nextByValid = 0;

  // A pass over candidates in table order. Before the entry at rank r of the
  // pass (1-based, counted at its start) the pass has visited r - 1 entries
  // and removed `removed`, and it walks on only while r - 1 is below the
  // table's current size. removeEntry answers true when the quota ran out.
  struct Pass {
    std::int64_t startSize;
    std::int64_t removed = 0;
  };
  auto reachedBy = [&](const Pass& pass, std::size_t position) {
    const std::int64_t rank = live.CountThrough(position) + pass.removed;
    return rank - 1 < pass.startSize - pass.removed;
  };
  auto removeEntry = [&](Pass& pass, std::size_t position) {
    alive[position] = false;
    live.Remove(position);
    --liveCount;
    ++pass.removed;
    --quota;
    return quota < 0;
  };

  // Ends when k reaches CountLimit or the quota runs out.
  [&] {
    for (std::int64_t k = 1; k < WordStatistics::CountLimit;) {
      while (nextBySpam < count && spam[bySpam[nextBySpam]] <= k) {
        if (alive[bySpam[nextBySpam]]) spamCandidates.insert(bySpam[nextBySpam]);
        ++nextBySpam;
      }

      Pass passA{liveCount};
      for (auto candidate = spamCandidates.begin(); candidate != spamCandidates.end();) {
        if (!reachedBy(passA, *candidate)) break;
        const bool quotaSpent = removeEntry(passA, *candidate);
        candidate = spamCandidates.erase(candidate);
        if (quotaSpent) return;
      }

      while (nextByValid < count && valid[byValid[nextByValid]] < k) ++nextByValid;
      {
        Pass passB{liveCount};
        for (std::size_t i = nextByValid; i < count && valid[byValid[i]] == k; ++i) {
          const std::size_t position = byValid[i];
          if (!alive[position]) continue;
          if (!reachedBy(passB, position)) break;
          spamCandidates.erase(position);
          if (removeEntry(passB, position)) return;
        }
      }

      // Candidates left over (a pass stopped short of them) are candidates at
      // the next k; otherwise the next k that gives either pass a candidate.
      if (!spamCandidates.empty()) {
        ++k;
        continue;
      }
      std::int64_t next = WordStatistics::CountLimit;
      if (nextBySpam < count) next = std::min<std::int64_t>(next, spam[bySpam[nextBySpam]]);
      while (nextByValid < count && valid[byValid[nextByValid]] <= k) ++nextByValid;
      if (nextByValid < count) next = std::min<std::int64_t>(next, valid[byValid[nextByValid]]);
      k = std::max(next, k + 1);
    }
  }();

  for (std::size_t i = 0; i < count; ++i) {
    if (!alive[i]) table.erase(order[i]);
  }
}

void PruneList(LearnedList& list) {
  LearnedList::Entries& entries = list.entries();
  const auto limit = static_cast<std::int64_t>(list.EntryLimit());
  const std::int64_t excess = static_cast<std::int64_t>(entries.size()) - limit;
  if (excess <= 0) return;
  std::int64_t quota = excess + limit / 10;

  for (std::int32_t k = 1; k <= 99; ++k) {
    std::size_t visited = 0;
    for (auto entry = entries.begin(); entry != entries.end() && visited < entries.size();) {
      if (quota < 0) return;
      ++visited;
      if (entry->second <= k) {
        entry = entries.erase(entry);
        --quota;
      } else {
        // Above k, so at least 2: lowering it keeps it positive.
        --entry->second;
        ++entry;
      }
    }
  }
}

}  // namespace skerrow
