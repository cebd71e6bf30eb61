// Describing a message of the store after all its events were handled.
#pragma once

#include <string>
#include <vector>

#include "cli/ResultLine.h"
#include "cli/Session.h"

namespace skerrow::cli {

// Where the message is now and its subject then.
ResultLine DescribeMessage(Session& session, const std::string& file, const DispatchPtr& item,
                           const SpamVerdict& verdict);

// The largest message a command takes: no mail system passes anything near
// it, and a stream without end (a device, a pipe) must not fill the memory.
inline constexpr std::size_t kMaxMessageBytes = 64 * 1024 * 1024;

// Reads a message file, or standard input for "-". False with a one-line
// reason ("cannot read X: REASON") for a folder, a read error, a closed
// standard input or more than kMaxMessageBytes.
bool ReadMessageFile(const std::string& file, std::string& bytes, std::string& error);

// The arguments of the commands that take messages from files:
// [--json] FILE..., with every file read before anything else happens, so
// that a missing or unreadable file changes nothing.
struct MessageFiles {
  bool json = false;
  std::vector<std::string> names;  // as given
  std::vector<std::string> bytes;  // each file's content
};
// kExitOk, or the exit status of the usage error or the failed read it
// reported.
int ReadMessageFiles(const Command& command, const std::vector<std::string>& args,
                     MessageFiles& files);

}  // namespace skerrow::cli
