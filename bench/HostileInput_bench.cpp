// The readers of mail and contacts on the hostile shapes that once stalled
// or swelled them, at 1 MB each: many parts deep inside many long
// boundaries, a subject of unfinished encoded words, a contact line folded
// at every few bytes, an address header full of colons. Targets: each read
// in under 0.2 s (5 MB/s or more), with a peak memory under three times the
// input (the counter peak_per_input, measured as resident memory).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "bench/CommandHome.h"
#include "host/maildir/MessageReader.h"
#include "host/maildir/VCardReader.h"

namespace skerrow::maildir {
namespace {

constexpr std::size_t kSize = 1u << 20;

std::string NestedParts() {
  const std::string pad(60, 'b');
  std::string raw = "Content-Type: multipart/mixed; boundary=" + pad + "0\n\n";
  constexpr int kDepth = 199;
  for (int i = 0; i < kDepth; ++i) {
    raw += "--" + pad + std::to_string(i) + "\nContent-Type: multipart/mixed; boundary=" + pad +
           std::to_string(i + 1) + "\n\n";
  }
  const std::string delimiter = "--" + pad + std::to_string(kDepth) + "\n";
  for (int i = 0; raw.size() < kSize; ++i) {
    raw += delimiter + "\nleaf " + std::to_string(i) + "\n";
  }
  return raw;
}

std::string EncodedWordSubject() {
  std::string raw = "Subject: ";
  while (raw.size() < kSize) raw += "=?a?B?x";
  return raw + "\n\nbody\n";
}

std::string FoldedContact() {
  std::string card = "BEGIN:VCARD\nFN:";
  while (card.size() < kSize) card += "\n x";
  return card + "\nEND:VCARD\n";
}

std::string ColonAddresses() {
  std::string raw = "To: ";
  while (raw.size() < kSize) raw += "a:/";
  return raw + "\n\nbody\n";
}

// The resident memory's high-water mark since the last reset, in bytes
// (Linux); 0 where it cannot be read.
std::size_t ResidentPeak(bool reset) {
  if (reset) std::ofstream("/proc/self/clear_refs") << "5";
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(reset ? "VmRSS:" : "VmHWM:", 0) == 0) return std::stoul(line.substr(6)) * 1024;
  }
  return 0;
}

void Read(benchmark::State& state, const std::string& input,
          const std::function<void(const std::string&)>& read) {
  for (auto _ : state) read(input);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  malloc_trim(0);
  const std::size_t before = ResidentPeak(true);
  read(input);
  const std::size_t peak = ResidentPeak(false);
  state.counters["peak_per_input"] =
      static_cast<double>(peak > before ? peak - before : 0) / static_cast<double>(input.size());
}

void BM_ReadNestedParts(benchmark::State& state) {
  Read(state, NestedParts(),
       [](const std::string& raw) { benchmark::DoNotOptimize(MessageReader::ReadBodies(raw)); });
}
BENCHMARK(BM_ReadNestedParts)->Unit(benchmark::kMillisecond);

void BM_ReadEncodedWordSubject(benchmark::State& state) {
  Read(state, EncodedWordSubject(),
       [](const std::string& raw) { benchmark::DoNotOptimize(MessageReader::ReadSummary(raw)); });
}
BENCHMARK(BM_ReadEncodedWordSubject)->Unit(benchmark::kMillisecond);

void BM_ReadFoldedContact(benchmark::State& state) {
  Read(state, FoldedContact(),
       [](const std::string& card) { benchmark::DoNotOptimize(VCardReader::Parse(card)); });
}
BENCHMARK(BM_ReadFoldedContact)->Unit(benchmark::kMillisecond);

void BM_ReadColonAddresses(benchmark::State& state) {
  Read(state, ColonAddresses(),
       [](const std::string& raw) { benchmark::DoNotOptimize(MessageReader::ReadSummary(raw)); });
}
BENCHMARK(BM_ReadColonAddresses)->Unit(benchmark::kMillisecond);

// Big and deep messages: a 50 MB text message and one of 100,000 parts.
// Targets: each read in under a second, in memory at most about three times
// its size. Both are also measured where a user meets them: a `classify` of
// the message in a process of its own, with a full dictionary and address
// book (command_s, and command_peak_per_input: its peak beyond that of a
// message of a few lines). Read inside this process after the timed reads,
// the message reuses what they freed (the allocators keep it), and
// peak_per_input shows much less than the command takes.
std::string FiftyMegabytes() {
  std::string raw = "Subject: big\nContent-Type: text/plain\n\n";
  raw.reserve(50u << 20);
  const std::string line(99, 'a');
  while (raw.size() + 100 < (50u << 20)) raw += line + "\n";
  return raw;
}

std::string HundredThousandParts() {
  std::string raw = "Subject: parts\nContent-Type: multipart/mixed; boundary=b\n\n";
  for (int i = 0; i < 100000; ++i) {
    raw += "--b\nContent-Type: text/plain\n\npart " + std::to_string(i) + "\n";
  }
  return raw + "--b--\n";
}

void CountCommandPeak(benchmark::State& state, const std::string& input) {
  const CommandHome home(0);
  const std::filesystem::path big = home.Scratch() / "big.eml";
  const std::filesystem::path small = home.Scratch() / "small.eml";
  std::ofstream(big, std::ios::binary) << input;
  std::ofstream(small, std::ios::binary) << BenchMessage(1, "small");
  const std::size_t base = home.PeakOf({"classify", small.string()});
  const auto start = std::chrono::steady_clock::now();
  const std::size_t peak = home.PeakOf({"classify", big.string()});
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (base == 0 || peak == 0) {
    state.SkipWithError("classify failed");
    return;
  }
  state.counters["command_s"] = took.count();
  state.counters["command_peak_per_input"] =
      static_cast<double>(peak > base ? peak - base : 0) / static_cast<double>(input.size());
}

void BM_ReadFiftyMegabyteMessage(benchmark::State& state) {
  const std::string input = FiftyMegabytes();
  Read(state, input,
       [](const std::string& raw) { benchmark::DoNotOptimize(MessageReader::ReadBodies(raw)); });
  CountCommandPeak(state, input);
}
BENCHMARK(BM_ReadFiftyMegabyteMessage)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadHundredThousandParts(benchmark::State& state) {
  const std::string input = HundredThousandParts();
  Read(state, input,
       [](const std::string& raw) { benchmark::DoNotOptimize(MessageReader::ReadBodies(raw)); });
  CountCommandPeak(state, input);
}
BENCHMARK(BM_ReadHundredThousandParts)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace skerrow::maildir
