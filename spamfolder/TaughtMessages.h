// The messages the Spam folder watcher must pass over although they carry no
// Spam-folder marker, known by their entry id (the store's stable identity of
// an item, which a move keeps):
// - messages that had their spam lesson and could not be marked: private ones
//   (never retitled) and ones whose subject could not be written;
// - private messages that new-mail processing moved there on purpose and
//   untaught, which are to be moved, not learned.
// The watcher selects the messages to take in by the absence of the marker,
// so without this record it would teach such a message again at every growth
// of the Spam folder. The user's Mark does not consult it: Mark always
// teaches.
//
// The record outlives the connection in a small text file of its own beside
// the dictionary: one entry id a line in UTF-8, oldest first. It holds at most
// kLimit ids of at most kLongestId bytes each, so the file stays below about
// a megabyte; when it is full the id least recently remembered or met in
// the Spam folder is dropped, and that message, if met again, is taught again.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace skerrow {

class FileSystem;

class TaughtMessages {
 public:
  static constexpr std::size_t kLimit = 2048;
  // Longer ids are not recorded (a mail client's ids are a few hundred bytes).
  static constexpr std::size_t kLongestId = 512;
  static constexpr std::string_view kFileName = "Tamsquill.taught";

  TaughtMessages() = default;
  TaughtMessages(const TaughtMessages&) = delete;
  TaughtMessages& operator=(const TaughtMessages&) = delete;

  // Records the id as the most recent one; an empty or overlong id is not
  // recorded.
  void Remember(const std::u16string& entryId);
  void Forget(const std::u16string& entryId);
  bool Contains(const std::u16string& entryId) const;
  std::size_t Size() const { return index_.size(); }

  // Replaces the record with the file's ids (the newest kLimit of them); a
  // missing file leaves it empty, a line that is not an id is skipped.
  void Load(FileSystem& files, std::string_view path);
  // Writes the record beside the old file and puts it in place only when it
  // is whole. False when it could not be written; the old file then stays.
  // A record unchanged since it was loaded or last saved is not written: the
  // file holds it already (or, read back, gives it: lines it skipped stay).
  bool Save(FileSystem& files, std::string_view path);

 private:
  void RememberKey(std::string key);

  std::list<std::string> order_;  // UTF-8 ids, least recent first
  std::unordered_map<std::string, std::list<std::string>::iterator> index_;
  bool changed_ = false;
};

}  // namespace skerrow
