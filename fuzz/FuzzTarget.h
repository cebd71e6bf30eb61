// The frame of a fuzz target. A target file declares its body and its seeds:
//
//   SKERROW_FUZZ_TARGET(VCard) { ... VCardReader::Parse(AsText(data, size)) ... }
//   SKERROW_FUZZ_SEEDS(VCard) { return {"BEGIN:VCARD\r\n..."}; }
//
// In the fuzzing build (SKERROW_FUZZERS) each target file is its own libFuzzer
// program. In every other build all targets are linked into one replay
// program that runs the kept inputs (fuzz/corpus/NAME and fuzz/regressions/NAME)
// through them as a test, and writes the seeds on request.
//
// A target checks its properties with Require: a broken property aborts, so
// that the fuzzer keeps the input and the replay fails on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace skerrow::fuzz {

using TargetFunction = void (*)(std::string_view input);
using SeedFunction = std::vector<std::string> (*)();

// Replay build only; defined by the replay program.
bool RegisterTarget(const char* name, TargetFunction target);
bool RegisterSeeds(const char* name, SeedFunction seeds);

// Reports the property on standard error and aborts when it does not hold.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz target: property broken: %s\n", property);
  std::abort();
}

}  // namespace skerrow::fuzz

#ifdef SKERROW_FUZZ_REPLAY
#define SKERROW_FUZZ_TARGET(Name)                                \
  static void Name##Target(std::string_view input);              \
  [[maybe_unused]] static const bool kRegistered##Name##Target = \
      ::skerrow::fuzz::RegisterTarget(#Name, &Name##Target);     \
  static void Name##Target(std::string_view input)
#define SKERROW_FUZZ_SEEDS(Name)                                \
  static std::vector<std::string> Name##Seeds();                \
  [[maybe_unused]] static const bool kRegistered##Name##Seeds = \
      ::skerrow::fuzz::RegisterSeeds(#Name, &Name##Seeds);      \
  static std::vector<std::string> Name##Seeds()
#else
#define SKERROW_FUZZ_TARGET(Name)                                                     \
  static void Name##Target(std::string_view input);                                   \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    Name##Target(std::string_view(reinterpret_cast<const char*>(data), size));        \
    return 0;                                                                         \
  }                                                                                   \
  static void Name##Target(std::string_view input)
#define SKERROW_FUZZ_SEEDS(Name) [[maybe_unused]] static std::vector<std::string> Name##Seeds()
#endif
