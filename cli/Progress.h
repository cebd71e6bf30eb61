// Progress of long work (replay, a deliver of many files) for a person
// watching a terminal: one line on standard error, rewritten in place, with
// the count done, the rate and the time left. Nothing at all is written when
// standard error is not a terminal, so that logs, pipes and mail delivery
// agents see only the command's own output.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

namespace skerrow::cli {

// The line shown after done of total items in elapsed seconds, e.g.
// "120/500 messages  40.0/s  0:10 left". The rate and the time left are
// left out until a rate can be told.
std::string ProgressText(std::size_t done, std::size_t total, double elapsedSeconds);

class Progress {
 public:
  using Seconds = std::function<double()>;  // a steady clock, in seconds

  // Shows progress on standard error when it is a terminal, and only for
  // two items or more: a delivery agent's single message needs none.
  explicit Progress(std::size_t total);
  // For tests: writes to out when shown, reading the time from now.
  Progress(std::size_t total, std::FILE* out, bool shown, Seconds now);
  ~Progress() { Clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // With done items done: redraws the line, at most ten times a second
  // (always for the last item, and for the first after a Clear).
  void Step(std::size_t done);
  // Takes the line away (before other output goes to the same terminal, and
  // at the end).
  void Clear();

 private:
  std::size_t total_;
  std::FILE* out_;
  bool shown_;
  Seconds now_;
  double start_;
  double lastDrawn_ = -1.0;
  bool drawn_ = false;
};

}  // namespace skerrow::cli
