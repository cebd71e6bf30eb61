// KEY=VALUE assignments of stored options on the command line (options,
// replay), each checked before anything is opened.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace skerrow::cli {

using OptionAssignments = std::vector<std::pair<std::string, std::string>>;

// Parses and checks each text: a stored key (bWndMaximize is the window
// service's and cannot be set), a value the key takes, and for sSpamBoxName
// a folder name the store can hold. False with a one-line reason, for a
// usage error, on the first bad one.
bool ParseOptionAssignments(const std::vector<std::string>& texts, OptionAssignments& assignments,
                            std::string& error);

}  // namespace skerrow::cli
