// The failures an add-in wrote into the error log of a test platform, read
// back as place and code, in order.
#pragma once

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestPlatform.h"

namespace skerrow {

struct LoggedFailure {
  int place = 0;
  long long code = 0;
  bool operator==(const LoggedFailure&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LoggedFailure& failure) {
  return out << "{" << failure.place << ", " << failure.code << "}";
}

inline std::vector<LoggedFailure> LoggedFailures(const TestPlatform& world) {
  std::vector<LoggedFailure> failures;
  std::istringstream lines(world.ReadFile("C:\\Skerrowlog.txt").value_or(""));
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t place = line.find("Place:");
    const std::size_t code = line.find("Code: ");
    if (place == std::string::npos || code == std::string::npos) continue;
    failures.push_back({std::stoi(line.substr(place + 6)), std::stoll(line.substr(code + 6))});
  }
  return failures;
}

}  // namespace skerrow
