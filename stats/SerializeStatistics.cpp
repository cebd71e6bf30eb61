#include "stats/SerializeStatistics.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "stats/Pruning.h"
#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

using StringMap = std::unordered_map<std::string, std::int32_t>;

// A one-byte length and a 32-bit value.
constexpr std::size_t kSmallestRecord = 5;

// The first eight bytes of a key as a big-endian number: comparing these
// orders most keys without touching their characters again.
std::uint64_t SortPrefix(const std::string& key) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < key.size()) prefix |= static_cast<unsigned char>(key[i]);
  }
  return prefix;
}

std::vector<const StringMap::value_type*> InKeyOrder(const StringMap& map) {
  struct Sortable {
    std::uint64_t prefix;
    const StringMap::value_type* record;
  };
  std::vector<Sortable> sortable;
  sortable.reserve(map.size());
  for (const auto& record : map) sortable.push_back({SortPrefix(record.first), &record});
  // By prefix a byte at a time, the last byte first, each pass keeping the
  // order of the one before (a comparison sort went back to the words'
  // bytes at every step: a third of the time a full dictionary took to
  // save); then the few keys that share their first eight bytes, among
  // themselves.
  std::vector<Sortable> sorted(sortable.size());
  for (int shift = 0; shift < 64; shift += 8) {
    std::size_t starts[257] = {};
    for (const Sortable& entry : sortable) ++starts[((entry.prefix >> shift) & 0xFF) + 1];
    if (std::find(std::begin(starts), std::end(starts), sortable.size()) != std::end(starts)) {
      continue;  // the same byte everywhere: nothing to order
    }
    for (std::size_t byte = 1; byte < 257; ++byte) starts[byte] += starts[byte - 1];
    for (const Sortable& entry : sortable) sorted[starts[(entry.prefix >> shift) & 0xFF]++] = entry;
    sortable.swap(sorted);
  }
  for (auto run = sortable.begin(); run != sortable.end();) {
    auto end = run + 1;
    while (end != sortable.end() && end->prefix == run->prefix) ++end;
    if (end - run > 1) {
      std::sort(run, end, [](const Sortable& a, const Sortable& b) {
        return a.record->first < b.record->first;
      });
    }
    run = end;
  }
  std::vector<const StringMap::value_type*> records;
  records.reserve(sortable.size());
  for (const Sortable& entry : sortable) records.push_back(entry.record);
  return records;
}

using Record = StringMap::value_type;

bool StoreRecords(DictionaryArchive& archive, const std::vector<const Record*>& ascending) {
  if (ascending.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  auto count = static_cast<std::uint32_t>(ascending.size());
  if (!archive.Count(count)) return false;
  for (const Record* record : ascending) {
    std::int32_t value = record->second;
    if (!archive.StoreString(record->first) || !archive.Int32(value)) return false;
  }
  return true;
}

// With readOrder, the records read are appended to it as they come, and
// ascending says whether their keys came in ascending order.
bool LoadRecords(DictionaryArchive& archive, StringMap& map,
                 std::vector<const Record*>* readOrder = nullptr, bool* ascending = nullptr) {
  std::uint32_t count = 0;
  if (!archive.Count(count)) return false;
  // Room for no more records than the rest of the file can hold: a damaged
  // count ends at the end of the file like any short file, having claimed
  // nothing for the records that are not there.
  const std::size_t room = std::min<std::size_t>(count, archive.Remaining() / kSmallestRecord);
  map.reserve(map.size() + room);
  if (readOrder != nullptr) readOrder->reserve(readOrder->size() + room);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string key;
    std::int32_t value = 0;
    if (!archive.String(key) || !archive.Int32(value)) return false;
    const Record& record = *map.insert_or_assign(std::move(key), value).first;
    if (readOrder == nullptr) continue;
    if (!readOrder->empty() && !(readOrder->back()->first < record.first)) *ascending = false;
    readOrder->push_back(&record);
  }
  return true;
}

// In ascending key order rather than the hash order, so that the file
// depends on the statistics alone: a loaded file is written back the same.
bool SerializeMap(DictionaryArchive& archive, StringMap& map) {
  return archive.IsStoring() ? StoreRecords(archive, InKeyOrder(map)) : LoadRecords(archive, map);
}

// The word table, whose order is kept from the reading to the writing: a
// table read whole in ascending order, and changed only by learning since,
// is written without being sorted again.
bool SerializeWords(DictionaryArchive& archive, WordStatistics& statistics) {
  if (archive.IsStoring()) {
    const WordOrder& known = statistics.KnownWordOrder();
    std::vector<const Record*> ascending =
        known.Known() ? known.Ascending() : InKeyOrder(std::as_const(statistics).Words());
    const bool stored = StoreRecords(archive, ascending);
    statistics.KeepWordOrder(std::move(ascending));
    return stored;
  }
  StringMap& words = statistics.Words();  // forgets the order known so far
  std::vector<const Record*> read;
  bool ascending = true;
  const bool loaded = LoadRecords(archive, words, &read, &ascending);
  // Only when every record of the table came from the file, in order.
  if (ascending && read.size() == words.size()) statistics.KeepWordOrder(std::move(read));
  return loaded;
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
      if (!archive.StoreString(text)) return false;
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
  if (!SerializeTotals(archive, statistics, version) || !SerializeWords(archive, statistics)) {
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
