// LogFailure: the one error reporter. Every host and HTML-engine call hands it
// its status with a fixed place code; failures are appended to the log file
// when bErrorLog is on, one line each, and lost silently when the file cannot
// be opened. Reads the options at every call.
#pragma once

#include <cstdint>
#include <string>

namespace skerrow {

class FileSystem;
class Clock;
struct FilterOptions;
struct LocalTime;

class ErrorLog {
 public:
  ErrorLog(FileSystem& files, Clock& clock, const FilterOptions& options)
      : files_(files), clock_(clock), options_(options) {}

  // code: a status (only negative ones are written) or -1 for a missing thing.
  // place: routine number x 100 + step (200408), or a seven-digit inserted step.
  void LogFailure(std::int32_t code, std::int32_t place) const;

  // The line as written, without the time part's dependence on the clock.
  static std::string FormatLine(const LocalTime& time, std::int32_t code, std::int32_t place);

 private:
  FileSystem& files_;
  Clock& clock_;
  const FilterOptions& options_;
};

}  // namespace skerrow
