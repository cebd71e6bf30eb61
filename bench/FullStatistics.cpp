#include "bench/FullStatistics.h"

#include <vector>

#include "stats/PackedCounts.h"

namespace skerrow {

std::string Word(std::mt19937& random) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string word(4 + random() % 9, 'A');
  for (char& c : word) c = kLetters[random() % 26];
  return word;
}

WordTable FullTable(std::size_t size, std::mt19937& random) {
  WordTable table;
  while (table.size() < size) {
    table[Word(random)] = PackCounts(static_cast<std::int32_t>(random() % 200),
                                     static_cast<std::int32_t>(random() % 200));
  }
  return table;
}

WordStatistics FullStatistics() {
  std::mt19937 random(7);
  WordStatistics statistics;
  statistics.Words() = FullTable(WordStatistics::WordLimit, random);
  statistics.SetSpamMessageCount(3000);
  statistics.SetValidMessageCount(5000);
  LearnedList* lists[] = {&statistics.ValidSenders(), &statistics.SpamSenders(),
                          &statistics.SpamSubjects(), &statistics.SpamBodies(),
                          &statistics.SpamLinks()};
  for (LearnedList* list : lists) {
    for (std::size_t i = 0; list->size() < list->EntryLimit(); ++i) {
      list->entries()[Word(random) + " " + Word(random) + " " + std::to_string(i)] =
          2 + static_cast<std::int32_t>(random() % 50);
    }
  }
  std::vector<std::string> texts;
  for (int i = 0; i < 500; ++i) texts.push_back(Word(random) + " " + Word(random));
  statistics.SetValidTexts(texts);
  return statistics;
}

}  // namespace skerrow
