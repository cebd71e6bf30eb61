#include "base/ErrorLog.h"

#include <cstdio>

#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow {

std::string ErrorLog::FormatLine(const LocalTime& time, std::int32_t code, std::int32_t place) {
  char stamp[64];
  if (time.valid) {
    std::snprintf(stamp, sizeof stamp, "[%02d/%02d/%02d %02d:%02d ]", time.month, time.day,
                  time.year % 100, time.hour, time.minute);
  } else {
    std::snprintf(stamp, sizeof stamp, "Invalid DateTime");
  }
  char line[160];
  std::snprintf(line, sizeof line, "%s\tPlace:%d\tCode: %d\tHex: 0x%x\n", stamp, place, code,
                static_cast<unsigned>(code));
  return line;
}

void ErrorLog::LogFailure(std::int32_t code, std::int32_t place) const {
  if (code >= 0 || !options_.bErrorLog) return;
  // A line that cannot be written is lost: the log must never disturb the
  // mail client, and there is nowhere else to report to.
  files_.AppendText(options_.LogFilePath, FormatLine(clock_.Now(), code, place));
}

}  // namespace skerrow
