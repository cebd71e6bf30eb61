// Describing a message of the store after all its events were handled.
#pragma once

#include <string>

#include "cli/ResultLine.h"
#include "cli/Session.h"

namespace skerrow::cli {

// Where the message is now and its subject then.
ResultLine DescribeMessage(Session& session, const std::string& file, const DispatchPtr& item,
                           const SpamVerdict& verdict);

// Reads a message file, or standard input for "-". False with a reason on
// failure.
bool ReadMessageFile(const std::string& file, std::string& bytes, std::string& error);

}  // namespace skerrow::cli
