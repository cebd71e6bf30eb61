// What is known of the word table's records in ascending key order, so that
// a save need not sort a whole table again: a dictionary file holds its
// words in that order, so the records as they were read are the table in
// order, and the words learned since only need their places found.
//
// It holds pointers to the table's records, which stay where they are when
// the table grows or is moved but go when a record is erased: whoever erases
// or changes the table other than by learning forgets the order. A copy of
// the statistics holds other records, so a copy starts with nothing known.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace skerrow {

// Word -> packed counts (see PackedCounts.h). Keys compare byte for byte.
using WordTable = std::unordered_map<std::string, std::int32_t>;

class WordOrder {
 public:
  using Record = WordTable::value_type;

  WordOrder() = default;
  WordOrder(const WordOrder&) {}
  WordOrder& operator=(const WordOrder& other) {
    if (this != &other) Forget();
    return *this;
  }
  WordOrder(WordOrder&& other) noexcept;
  WordOrder& operator=(WordOrder&& other) noexcept;

  // ascending is every record of the table, in ascending key order.
  void Keep(std::vector<const Record*> ascending);
  void Forget();
  // A record that learning added to the table.
  void Added(const Record* record) {
    if (known_) added_.push_back(record);
  }

  bool Known() const { return known_; }
  // Every record of the table in ascending key order; only when Known().
  std::vector<const Record*> Ascending() const;

 private:
  bool known_ = false;
  std::vector<const Record*> ascending_;
  std::vector<const Record*> added_;  // since ascending_, in no order
};

}  // namespace skerrow
