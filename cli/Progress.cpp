#include "cli/Progress.h"

#include <unistd.h>

#include <cmath>

namespace skerrow::cli {

namespace {

constexpr double kRedrawSeconds = 0.1;
// The rate of the first moments says little (start-up, a first slow file).
constexpr double kRateAfterSeconds = 0.5;

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string Duration(double seconds) {
  const long total = std::lround(seconds);
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  }
  return text;
}

}  // namespace

std::string ProgressText(std::size_t done, std::size_t total, double elapsedSeconds) {
  std::string text = std::to_string(done) + "/" + std::to_string(total) + " messages";
  if (elapsedSeconds < kRateAfterSeconds || done == 0) return text;
  const double rate = static_cast<double>(done) / elapsedSeconds;
  char tail[64];
  std::snprintf(tail, sizeof tail, "  %.1f/s  %s left", rate,
                Duration(static_cast<double>(total - done) / rate).c_str());
  return text + tail;
}

Progress::Progress(std::size_t total)
    : Progress(total, stderr, isatty(STDERR_FILENO) == 1, SteadySeconds) {}

Progress::Progress(std::size_t total, std::FILE* out, bool shown, Seconds now)
    : total_(total), out_(out), shown_(shown && total > 1), now_(std::move(now)), start_(now_()) {}

void Progress::Step(std::size_t done) {
  if (!shown_) return;
  const double now = now_();
  if (done < total_ && lastDrawn_ >= 0.0 && now - lastDrawn_ < kRedrawSeconds) return;
  lastDrawn_ = now;
  // Carriage return, the line, then erase what a longer earlier line left.
  std::fprintf(out_, "\r%s\033[K", ProgressText(done, total_, now - start_).c_str());
  std::fflush(out_);
  drawn_ = true;
}

void Progress::Clear() {
  if (!drawn_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  drawn_ = false;
  lastDrawn_ = -1.0;
}

}  // namespace skerrow::cli
