// The platform interface: everything the core needs from the operating system
// besides the mail client. Each service is a small abstract class with one
// implementation per home (Linux: a prefix folder standing in for the Windows
// world; Windows: the Win32 calls). Names avoid the Win32 macros
// (GetProfileString, MessageBox, ShellExecute, PostMessage, ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skerrow {

class WindowSystem;
class HtmlEngine;

// WIN.INI profile functions. Missing sections and keys yield the default.
class Profile {
 public:
  virtual ~Profile() = default;
  // GetProfileIntA: the leading integer of the value's text (optional blanks,
  // optional sign, digits; 0 when there are none), or the default when the
  // key is missing. On Windows the system's own reading applies, which also
  // takes "0x" hexadecimal text and gives the default for an empty value.
  virtual std::int32_t ReadInt(std::string_view section, std::string_view key,
                               std::int32_t defaultValue) = 0;
  // GetProfileStringA with a buffer of bufferSize bytes: the value (or the
  // default) cut to bufferSize - 1 bytes. (Windows drops a default's
  // trailing blanks.)
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue, std::size_t bufferSize) = 0;
  // WriteProfileStringA; false when the profile could not be written.
  virtual bool WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  // WriteString for each (key, value), in order, as one change where the
  // home can make it one (on Linux a reader sees all old values or all new
  // ones). False when any entry was not written. The default writes the
  // entries one by one; a home that can replace its profile at once should.
  virtual bool WriteStrings(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
    bool written = true;
    for (const auto& [key, value] : entries) written = WriteString(section, key, value) && written;
    return written;
  }
};

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

class Registry {
 public:
  virtual ~Registry() = default;
  // RegOpenKeyA + RegQueryValueExA into a buffer of bufferSize bytes; empty
  // when the key or the value is missing, unreadable or does not fit.
  virtual std::optional<std::string> QueryString(RegistryRoot root, std::string_view keyPath,
                                                 std::string_view valueName,
                                                 std::size_t bufferSize) = 0;
};

// A file being written in full beside the file it will replace. Nothing is
// visible at the destination until Commit succeeds; destroying an uncommitted
// writer leaves the old file untouched.
class ReplacementFile {
 public:
  virtual ~ReplacementFile() = default;
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Flushes, makes the bytes durable and puts the file in place of the old.
  // A read-only old file is never replaced: Commit fails and it stays.
  virtual bool Commit() = 0;
};

// Files named by Windows paths ("C:\Skerrowlog.txt").
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens for appending (creating the file), writes, closes, as a text
  // stream: on Windows each "\n" is written as CR LF. False when the file
  // could not be opened or written.
  virtual bool AppendText(std::string_view path, std::string_view text) = 0;
  // The whole file, or empty when it cannot be opened or read.
  virtual std::optional<std::string> ReadAll(std::string_view path) = 0;
  // Whether anything (a file, a folder) is at the path, readable or not:
  // tells a missing file from one that cannot be read. The default knows
  // only readable files; homes should ask the file system.
  virtual bool Exists(std::string_view path) { return ReadAll(path).has_value(); }
  // Null when the replacement cannot be created (no folder, no rights, a
  // read-only file at the path).
  virtual std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view path) = 0;
  // Renames the file, replacing a file at `to`. False when it could not.
  // The default copies a readable file (the source stays); homes should
  // rename, which also keeps an unreadable file.
  virtual bool RenameFile(std::string_view from, std::string_view to) {
    const std::optional<std::string> bytes = ReadAll(from);
    if (!bytes) return false;
    const std::unique_ptr<ReplacementFile> copy = CreateReplacement(to);
    return copy && copy->Write(bytes->data(), bytes->size()) && copy->Commit();
  }
};

struct NarrowText {
  std::string text;
  bool usedDefaultChar = false;  // some character became "?"
};

// The system's ANSI code page (1252 unless configured otherwise).
class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual unsigned Id() const = 0;
  // WideCharToMultiByte with "?" as the default character, into a buffer as
  // large as the text needs.
  virtual NarrowText ToNarrow(std::u16string_view text) const = 0;
  virtual std::u16string ToWide(std::string_view text) const = 0;
  // Multibyte-aware upper-casing: a double-byte character is never split.
  virtual std::string ToUpper(std::string_view text) const = 0;
  virtual bool IsLeadByte(unsigned char byte) const = 0;
  // <0, 0, >0 comparing both texts upper-cased.
  virtual int CompareNoCase(std::string_view a, std::string_view b) const = 0;
};

struct LocalTime {
  int year = 0;    // e.g. 2026
  int month = 0;   // 1-12
  int day = 0;     // 1-31
  int hour = 0;    // 0-23
  int minute = 0;  // 0-59
  int second = 0;  // 0-59
  bool valid = false;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

// Message box styles and results the add-in uses.
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kIconError = 0x10;
inline constexpr int kIdOk = 1;
}  // namespace mb

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual int ShowMessage(std::string_view text, std::string_view caption, unsigned style) = 0;
  // Shows the wait cursor while on; calls nest.
  virtual void SetWaitCursor(bool on) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA: a result above 32 is success.
  virtual std::intptr_t OpenWithShell(std::string_view verb, std::string_view file,
                                      int showCommand) = 0;
  // FindExecutableA: the program registered for the file, or empty.
  virtual std::optional<std::string> FindAssociatedProgram(std::string_view file,
                                                           std::string_view folder) = 0;
  // CreateProcessA with the command line; false when it could not start.
  virtual bool StartProcess(std::string_view commandLine, int showCommand) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Loads the module's bitmap resource and leaves it on the clipboard as its
  // only content (open with no owner, empty, set CF_BITMAP, close).
  virtual bool PutBitmap(int resourceId) = 0;
  // The bitmap resource on the clipboard, if a bitmap is there.
  virtual std::optional<int> Bitmap() const = 0;
};

// The services of one home, owned elsewhere.
struct Platform {
  Profile& profile;
  Registry& registry;
  FileSystem& files;
  CodePage& codePage;
  Clock& clock;
  UserInterface& ui;
  Shell& shell;
  Clipboard& clipboard;
  WindowSystem& windows;
  HtmlEngine& html;
};

}  // namespace skerrow
