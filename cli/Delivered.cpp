#include "cli/Delivered.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/Text.h"

namespace skerrow::cli {

ResultLine DescribeMessage(Session& session, const std::string& file, const DispatchPtr& item,
                           const SpamVerdict& verdict) {
  ResultLine line;
  line.file = file;
  line.verdict = verdict;
  const Result<maildir::ItemLocation> where = session.store().Locate(item);
  if (!where.ok()) return line;
  line.folder = ToUtf8(where.value.topLevelFolder);
  line.path = where.value.path;
  // The handle may predate a move or a rewrite: read the message as it is now.
  const Result<MailItemPtr> now = session.store().FindItem(where.value.uniqueName);
  if (now.ok() && now.value) line.subject = ToUtf8(now.value->Subject().value);
  return line;
}

bool ReadMessageFile(const std::string& file, std::string& bytes, std::string& error) {
  if (file == "-") {
    std::ostringstream in;
    in << std::cin.rdbuf();
    bytes = in.str();
    return true;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = "cannot read " + file;
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + file;
    return false;
  }
  return true;
}

int ReadMessageFiles(const Command& command, const std::vector<std::string>& args,
                     MessageFiles& files) {
  OptionParser options({"--json"}, {});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(command, error);
  if (options.Operands().empty()) return UsageError(command, "no message file given");
  files.json = options.Has("--json");
  files.names = options.Operands();
  for (const std::string& file : files.names) {
    if (!ReadMessageFile(file, files.bytes.emplace_back(), error)) return Failure(error);
  }
  return kExitOk;
}

}  // namespace skerrow::cli
