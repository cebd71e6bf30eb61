// One `deliver` of one message, the whole command as a mail delivery agent
// runs it (start, full dictionary loaded and saved, address book, store
// index brought up to date, classification, exit), against a full
// dictionary, 5,000 contacts and an Inbox of 100 or 10,000 messages.
// Targets: under 20 ms wall, and the large Inbox within 1.5 times the small.
// cpu_ms is the command's processor time (every thread, user and system).
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench/CommandHome.h"

namespace skerrow {
namespace {

void BM_DeliverCommand(benchmark::State& state) {
  const CommandHome home(static_cast<int>(state.range(0)));
  const std::string message = (home.Scratch() / "new.eml").string();
  std::ofstream(message) << BenchMessage(1, "Project meeting on Thursday");
  double processorSeconds = 0;
  for (auto _ : state) {
    if (home.Run({"deliver", message}, &processorSeconds) != 0) {
      state.SkipWithError("deliver failed");
    }
  }
  state.counters["cpu_ms"] =
      benchmark::Counter(processorSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DeliverCommand)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace skerrow
