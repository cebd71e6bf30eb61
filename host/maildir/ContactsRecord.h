// The address book's cache: for each file of a contacts folder its name,
// size, modification time and cards, one after another in one record, kept
// in the bytes the index stores. Reading a record back finds where each card
// is and decodes nothing: a card's texts are decoded when they are asked for,
// once, by the snapshot. So thousands of contacts cost one row to read, one
// pass to check, and no copy of their texts.
//
// The layout: for each file, little-endian numbers of a fixed width and
// texts preceded by their length: the name's length (4) and bytes, the size
// (8), the modification time in nanoseconds (8), the card count (4), then for
// each card its name and its address, each as a length (4) and UTF-16 units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/maildir/VCardReader.h"

namespace skerrow::maildir {

class ContactsRecord {
 public:
  struct File {
    std::string name;  // in the folder
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::size_t firstCard = 0;  // the file's cards are CardName(firstCard) on
    std::size_t cardCount = 0;
    // Where the file's part of Bytes() begins and ends.
    std::size_t start = 0;
    std::size_t end = 0;
  };

  // A record read back; empty when the bytes are damaged, so that every
  // file is read again.
  static ContactsRecord Parse(std::string bytes);

  const std::string& Bytes() const { return bytes_; }
  const std::vector<File>& Files() const { return files_; }
  bool Empty() const { return files_.empty(); }

  // Appends a file read now.
  void Add(const std::string& name, std::int64_t size, std::int64_t modifiedNs,
           const std::vector<VCardEntry>& cards);
  // Appends the file of another record, as it is there.
  void AddFrom(const ContactsRecord& other, std::size_t file);

  // Cards are numbered over every file, in order.
  std::u16string CardName(std::size_t card) const;
  std::u16string CardAddress(std::size_t card) const;

 private:
  // Reads the record from the start, adding up its files and cards, and
  // with keep, listing them too; false where the bytes are damaged.
  bool Walk(std::size_t& files, std::size_t& cards, bool keep);
  // The text whose length is at offset.
  std::u16string TextAt(std::size_t offset) const;

  std::string bytes_;
  std::vector<File> files_;
  std::vector<std::size_t> cards_;  // where each card's name begins
};

}  // namespace skerrow::maildir
