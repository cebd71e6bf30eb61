#include "host/maildir/ContactsRecord.h"

#include <utility>

#include "host/maildir/Utf16Bytes.h"

namespace skerrow::maildir {

namespace {

void PutNumber(std::string& out, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

void PutText(std::string& out, std::u16string_view text) {
  PutNumber(out, text.size(), 4);
  AppendUtf16Bytes(out, text);
}

std::uint64_t NumberAt(const std::string& bytes, std::size_t offset, int width) {
  std::uint64_t value = 0;
  for (int i = 0; i < width; ++i) {
    value |= std::uint64_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  }
  return value;
}

// Reads the record from its start on; false where it ends too soon.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  std::size_t Position() const { return at_; }
  bool AtEnd() const { return at_ == bytes_.size(); }
  bool Number(std::uint64_t& value, int width) {
    if (bytes_.size() - at_ < static_cast<std::size_t>(width)) return false;
    value = NumberAt(bytes_, at_, width);
    at_ += width;
    return true;
  }
  bool Skip(std::uint64_t count) {
    if (bytes_.size() - at_ < count) return false;
    at_ += count;
    return true;
  }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

}  // namespace

ContactsRecord ContactsRecord::Parse(std::string bytes) {
  ContactsRecord record;
  record.bytes_ = std::move(bytes);
  // Twice over the bytes: counted first, the files and the cards are kept in
  // lists made at their size (grown on the way, a large book's list of
  // files was copied a dozen times over, half a megabyte the last time).
  std::size_t files = 0;
  std::size_t cards = 0;
  if (!record.Walk(files, cards, false)) return {};
  record.files_.reserve(files);
  record.cards_.reserve(cards);
  record.Walk(files, cards, true);
  return record;
}

bool ContactsRecord::Walk(std::size_t& files, std::size_t& cards, bool keep) {
  Reader in(bytes_);
  while (!in.AtEnd()) {
    const std::size_t start = in.Position();
    std::uint64_t nameLength = 0;
    std::uint64_t size = 0;
    std::uint64_t modified = 0;
    std::uint64_t count = 0;
    if (!in.Number(nameLength, 4) || !in.Skip(nameLength)) return false;
    const std::size_t name = in.Position() - nameLength;
    // Each card takes at least its two lengths: a damaged count claims no
    // more room than the rest could hold.
    if (!in.Number(size, 8) || !in.Number(modified, 8) || !in.Number(count, 4) ||
        (bytes_.size() - in.Position()) / 8 < count) {
      return false;
    }
    const std::size_t firstCard = keep ? cards_.size() : 0;
    for (std::uint64_t card = 0; card < count; ++card) {
      if (keep) cards_.push_back(in.Position());
      for (int text = 0; text < 2; ++text) {
        std::uint64_t length = 0;
        if (!in.Number(length, 4) || length > bytes_.size() / 2 || !in.Skip(length * 2)) {
          return false;
        }
      }
    }
    ++files;
    cards += count;
    if (keep) {
      files_.push_back({bytes_.substr(name, nameLength), static_cast<std::int64_t>(size),
                        static_cast<std::int64_t>(modified), firstCard,
                        static_cast<std::size_t>(count), start, in.Position()});
    }
  }
  return true;
}

void ContactsRecord::Add(const std::string& name, std::int64_t size, std::int64_t modifiedNs,
                         const std::vector<VCardEntry>& cards) {
  File file{name, size, modifiedNs, cards_.size(), cards.size(), bytes_.size(), 0};
  PutNumber(bytes_, name.size(), 4);
  bytes_ += name;
  PutNumber(bytes_, static_cast<std::uint64_t>(size), 8);
  PutNumber(bytes_, static_cast<std::uint64_t>(modifiedNs), 8);
  PutNumber(bytes_, cards.size(), 4);
  for (const VCardEntry& card : cards) {
    cards_.push_back(bytes_.size());
    PutText(bytes_, card.name);
    PutText(bytes_, card.address);
  }
  file.end = bytes_.size();
  files_.push_back(std::move(file));
}

void ContactsRecord::AddFrom(const ContactsRecord& other, std::size_t index) {
  const File& from = other.files_[index];
  File file = from;
  file.start = bytes_.size();
  file.firstCard = cards_.size();
  bytes_.append(other.bytes_, from.start, from.end - from.start);
  file.end = bytes_.size();
  for (std::size_t card = 0; card < from.cardCount; ++card) {
    cards_.push_back(other.cards_[from.firstCard + card] - from.start + file.start);
  }
  files_.push_back(std::move(file));
}

std::u16string ContactsRecord::TextAt(std::size_t offset) const {
  const auto length = static_cast<std::size_t>(NumberAt(bytes_, offset, 4));
  return Utf16FromBytes(std::string_view(bytes_).substr(offset + 4, length * 2));
}

std::u16string ContactsRecord::CardName(std::size_t card) const {
  return TextAt(cards_[card]);
}

std::u16string ContactsRecord::CardAddress(std::size_t card) const {
  const auto nameLength = static_cast<std::size_t>(NumberAt(bytes_, cards_[card], 4));
  return TextAt(cards_[card] + 4 + nameLength * 2);
}

}  // namespace skerrow::maildir
