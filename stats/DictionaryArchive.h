// The encodings of the dictionary file, little-endian, both directions in one
// place: a 32-bit integer, a record count and a length-prefixed string. The
// archive either loads from the bytes of a whole file or stores into a file
// through a 4096-byte buffer; the same calls do either, so one routine
// describes the layout for reading and for writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace skerrow {

class CodePage;
class ReplacementFile;

class DictionaryArchive {
 public:
  // Loading. Strings stored in the wide form are converted with codePage.
  // Both must outlive the archive.
  DictionaryArchive(std::string_view bytes, const CodePage& codePage);
  // Storing into file, which must outlive the archive.
  explicit DictionaryArchive(ReplacementFile& file);

  bool IsStoring() const { return file_ != nullptr; }

  // Each call reads the value into its argument or writes it from there.
  // False when it failed: the file ended (reading then stays at the end), a
  // length was out of range, or the file refused a write. Nothing is
  // allocated for a length the rest of the file cannot hold.
  bool Int32(std::int32_t& value);
  // Fewer than 65535: 16 bits; otherwise 0xFFFF and 32 bits.
  bool Count(std::uint32_t& count);
  // Below 255 bytes: one length byte; below 65534: 0xFF and 16 bits; else
  // 0xFF, 0xFFFF and 32 bits. Reading also accepts the wide form (0xFF 0xFFFE,
  // then the length again and UTF-16LE code units) and 64-bit lengths up to
  // 0x7FFFFFFF.
  bool String(std::string& text);

  // Storing only: String for a text the caller cannot hand over for writing.
  bool StoreString(std::string_view text);

  // Storing: writes out what the buffer holds.
  bool Flush();

  // Loading: bytes not read yet.
  std::size_t Remaining() const { return bytes_.size() - position_; }

 private:
  static constexpr std::size_t kBufferSize = 4096;

  bool Put(std::uint64_t value, int byteCount);
  bool Get(std::uint64_t& value, int byteCount);
  bool PutBytes(std::string_view bytes);
  bool ReadStringLength(std::uint64_t& length, int& characterSize);
  bool WriteStringLength(std::uint64_t length);

  // Loading.
  std::string_view bytes_;
  std::size_t position_ = 0;
  const CodePage* codePage_ = nullptr;
  // Storing.
  ReplacementFile* file_ = nullptr;
  std::string buffer_;
};

}  // namespace skerrow
