#include "stats/SerializeStatistics.h"

#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "stats/Pruning.h"
#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

using StringMap = std::unordered_map<std::string, std::int32_t>;

bool SerializeMap(DictionaryArchive& archive, StringMap& map) {
  if (archive.IsStoring()) {
    if (map.size() > std::numeric_limits<std::uint32_t>::max()) return false;
    auto count = static_cast<std::uint32_t>(map.size());
    if (!archive.Count(count)) return false;
    // In ascending key order rather than the hash order, so that the file
    // depends on the statistics alone: a loaded file is written back the same.
    std::vector<StringMap::value_type*> records;
    records.reserve(map.size());
    for (auto& record : map) records.push_back(&record);
    std::sort(records.begin(), records.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });
    for (StringMap::value_type* record : records) {
      std::string key = record->first;
      if (!archive.String(key) || !archive.Int32(record->second)) return false;
    }
    return true;
  }
  std::uint32_t count = 0;
  if (!archive.Count(count)) return false;
  // No room is reserved from the count: a damaged count ends at the end of
  // the file like any short file.
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string key;
    std::int32_t value = 0;
    if (!archive.String(key) || !archive.Int32(value)) return false;
    map.insert_or_assign(std::move(key), value);
  }
  return true;
}

bool SerializeValidTexts(DictionaryArchive& archive, WordStatistics& statistics) {
  if (archive.IsStoring()) {
    const std::set<std::string>& texts = statistics.ValidTexts();
    if (texts.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      return false;
    }
    auto count = static_cast<std::int32_t>(texts.size());
    if (!archive.Int32(count)) return false;
    for (const std::string& text : texts) {
      std::string stored = text;
      if (!archive.String(stored)) return false;
    }
    return true;
  }
  statistics.ClearValidTexts();
  std::int32_t count = 0;
  if (!archive.Int32(count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string text;
    if (!archive.String(text)) return false;
    statistics.AddValidText(std::move(text));
  }
  return true;
}

bool SerializeTotals(DictionaryArchive& archive, WordStatistics& statistics,
                     std::int32_t& version) {
  std::int32_t spam = statistics.SpamMessageCount();
  std::int32_t valid = statistics.ValidMessageCount();
  std::int32_t reserved = statistics.ReservedCount();
  if (!archive.Int32(version)) return false;
  if (!archive.Int32(spam)) return false;
  statistics.SetSpamMessageCount(spam);
  if (!archive.Int32(valid)) return false;
  statistics.SetValidMessageCount(valid);
  if (!archive.Int32(reserved)) return false;
  statistics.SetReservedCount(reserved);
  return true;
}

}  // namespace

SerializeOutcome SerializeStatistics(DictionaryArchive& archive, WordStatistics& statistics) {
  SerializeOutcome outcome;
  std::int32_t version = WordStatistics::FormatVersion;
  if (!SerializeTotals(archive, statistics, version) ||
      !SerializeMap(archive, statistics.Words())) {
    outcome.bodyFailed = true;
    return outcome;
  }

  LearnedList* const lists[] = {&statistics.ValidSenders(), &statistics.SpamSenders(),
                                &statistics.SpamSubjects(), &statistics.SpamBodies(),
                                &statistics.SpamLinks()};
  for (LearnedList* list : lists) {
    if (archive.IsStoring()) PruneList(*list);
    if (!SerializeMap(archive, list->entries())) ++outcome.failedLists;
  }

  if (version >= 2 && !SerializeValidTexts(archive, statistics)) outcome.bodyFailed = true;
  return outcome;
}

}  // namespace skerrow
