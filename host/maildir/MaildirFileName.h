// Maildir file names: "unique[:2,flags]". The unique part is a message's
// identity in the store; the flags (ASCII letters, kept sorted) carry its
// state, "S" meaning seen.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

class MaildirFileName {
 public:
  // The name up to the first ":".
  static std::string_view UniqueName(std::string_view fileName);
  static bool HasFlag(std::string_view fileName, char flag);
  // The name with the flag set or cleared, in the ":2," form.
  static std::string WithFlag(std::string_view fileName, char flag, bool on);
  // The name a file takes in cur/: unchanged when it has info, else ":2,"
  // appended.
  static std::string ForCur(std::string_view fileName);
  // The name a file takes in cur/ of another folder: ForCur, without the
  // ",U=digits" that a synchronising program (mbsync) writes into a name to
  // hold the message's number in that program's count of the folder. Kept in
  // another folder, that number would be beyond the count there, and the
  // program would refuse to synchronise the folder.
  static std::string ForAnotherFolder(std::string_view fileName);
  // A fresh unique name: seconds.MmicrosecondsPpidQsequence.host, the host
  // name with "/" and ":" escaped as the Maildir convention asks. The caller
  // counts the sequence up per name it makes.
  static std::string NewUniqueName(unsigned long sequence);
};

}  // namespace skerrow::maildir
