#include "stats/DictionaryArchive.h"

#include "platform/Platform.h"

namespace skerrow {

DictionaryArchive::DictionaryArchive(std::string_view bytes, const CodePage& codePage)
    : bytes_(bytes), codePage_(&codePage) {}

DictionaryArchive::DictionaryArchive(ReplacementFile& file) : file_(&file) {
  buffer_.reserve(kBufferSize);
}

bool DictionaryArchive::Put(std::uint64_t value, int byteCount) {
  char bytes[8];
  for (int i = 0; i < byteCount; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  const std::string_view encoded(bytes, static_cast<std::size_t>(byteCount));
  if (buffer_.size() + encoded.size() < kBufferSize) {
    buffer_.append(encoded);
    return true;
  }
  return PutBytes(encoded);
}

bool DictionaryArchive::Get(std::uint64_t& value, int byteCount) {
  const auto size = static_cast<std::size_t>(byteCount);
  if (Remaining() < size) {
    position_ = bytes_.size();
    return false;
  }
  value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[position_ + i]))
             << (8 * i);
  }
  position_ += size;
  return true;
}

bool DictionaryArchive::PutBytes(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t room = kBufferSize - buffer_.size();
    const std::size_t part = bytes.size() < room ? bytes.size() : room;
    buffer_.append(bytes.substr(0, part));
    bytes.remove_prefix(part);
    if (buffer_.size() == kBufferSize && !Flush()) return false;
  }
  return true;
}

bool DictionaryArchive::Flush() {
  if (buffer_.empty()) return true;
  const bool written = file_->Write(buffer_.data(), buffer_.size());
  buffer_.clear();
  return written;
}

bool DictionaryArchive::Int32(std::int32_t& value) {
  if (IsStoring()) return Put(static_cast<std::uint32_t>(value), 4);
  std::uint64_t read = 0;
  if (!Get(read, 4)) return false;
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(read));
  return true;
}

bool DictionaryArchive::Count(std::uint32_t& count) {
  if (IsStoring()) {
    if (count < 0xFFFF) return Put(count, 2);
    return Put(0xFFFF, 2) && Put(count, 4);
  }
  std::uint64_t read = 0;
  if (!Get(read, 2)) return false;
  if (read == 0xFFFF && !Get(read, 4)) return false;
  count = static_cast<std::uint32_t>(read);
  return true;
}

bool DictionaryArchive::WriteStringLength(std::uint64_t length) {
  if (length < 0xFF) return Put(length, 1);
  if (length < 0xFFFE) return Put(0xFF, 1) && Put(length, 2);
  if (length < 0xFFFFFFFF) return Put(0xFF, 1) && Put(0xFFFF, 2) && Put(length, 4);
  return false;
}

bool DictionaryArchive::ReadStringLength(std::uint64_t& length, int& characterSize) {
  characterSize = 1;
  std::uint64_t value = 0;
  if (!Get(value, 1)) return false;
  if (value < 0xFF) {
    length = value;
    return true;
  }
  if (!Get(value, 2)) return false;
  if (value == 0xFFFE) {
    // The wide form: the length follows again, from its first byte.
    characterSize = 2;
    if (!Get(value, 1)) return false;
    if (value < 0xFF) {
      length = value;
      return true;
    }
    if (!Get(value, 2)) return false;
  }
  if (value < 0xFFFF) {
    length = value;
    return true;
  }
  if (!Get(value, 4)) return false;
  if (value < 0xFFFFFFFF) {
    length = value;
    return true;
  }
  if (!Get(value, 8)) return false;
  if (value > 0x7FFFFFFF) return false;
  length = value;
  return true;
}

bool DictionaryArchive::StoreString(std::string_view text) {
  return WriteStringLength(text.size()) && PutBytes(text);
}

bool DictionaryArchive::String(std::string& text) {
  if (IsStoring()) return StoreString(text);

  std::uint64_t length = 0;
  int characterSize = 1;
  if (!ReadStringLength(length, characterSize)) return false;
  // A length the file cannot hold is a short file, found before anything is
  // allocated for it.
  if (length > Remaining() / static_cast<std::size_t>(characterSize)) {
    position_ = bytes_.size();
    return false;
  }
  const auto byteCount = static_cast<std::size_t>(length) * static_cast<std::size_t>(characterSize);
  const std::string_view stored = bytes_.substr(position_, byteCount);
  position_ += byteCount;
  if (characterSize == 1) {
    text.assign(stored);
    return true;
  }
  std::u16string wide(static_cast<std::size_t>(length), u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(stored[2 * i]) |
                                    (static_cast<unsigned char>(stored[2 * i + 1]) << 8));
  }
  text = codePage_->ToNarrow(wide).text;
  return true;
}

}  // namespace skerrow
