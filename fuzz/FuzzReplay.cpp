// The replay program of the fuzz targets (every build but the fuzzing one):
//
//   fuzz_replay TARGET PATH...        runs every file of each PATH (a file or
//                                     a folder) through the target; fails
//                                     when there is none
//   fuzz_replay --seeds TARGET DIR    writes the target's seeds into DIR
//
// A broken property aborts inside the target, so a nonzero exit names the
// input on the line before it.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"

namespace skerrow::fuzz {

namespace {

std::map<std::string, TargetFunction>& Targets() {
  static std::map<std::string, TargetFunction> targets;
  return targets;
}

std::map<std::string, SeedFunction>& Seeds() {
  static std::map<std::string, SeedFunction> seeds;
  return seeds;
}

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) return {path};
  if (!std::filesystem::is_directory(path, error)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

int Replay(TargetFunction target, const std::string& name, int count, char** paths) {
  int replayed = 0;
  for (int i = 0; i < count; ++i) {
    for (const std::filesystem::path& file : InputsOf(paths[i])) {
      std::ifstream in(file, std::ios::binary);
      const std::string input((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      std::fprintf(stderr, "%s: %s\n", name.c_str(), file.c_str());
      target(input);
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "fuzz_replay: no input for %s\n", name.c_str());
    return 1;
  }
  std::printf("%d inputs replayed through %s\n", replayed, name.c_str());
  return 0;
}

int WriteSeeds(SeedFunction seeds, const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  int index = 0;
  for (const std::string& seed : seeds()) {
    char name[32];
    std::snprintf(name, sizeof name, "seed-%03d", ++index);
    std::ofstream(dir / name, std::ios::binary) << seed;
  }
  std::printf("%d seeds written into %s\n", index, dir.c_str());
  return 0;
}

}  // namespace

bool RegisterTarget(const char* name, TargetFunction target) {
  Targets()[name] = target;
  return true;
}

bool RegisterSeeds(const char* name, SeedFunction seeds) {
  Seeds()[name] = seeds;
  return true;
}

}  // namespace skerrow::fuzz

int main(int argc, char** argv) {
  using namespace skerrow::fuzz;
  if (argc == 4 && std::string(argv[1]) == "--seeds") {
    const auto seeds = Seeds().find(argv[2]);
    if (seeds == Seeds().end()) {
      std::fprintf(stderr, "fuzz_replay: no seeds for %s\n", argv[2]);
      return 2;
    }
    return WriteSeeds(seeds->second, argv[3]);
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: fuzz_replay TARGET PATH... | fuzz_replay --seeds TARGET DIR\n");
    return 2;
  }
  const auto target = Targets().find(argv[1]);
  if (target == Targets().end()) {
    std::fprintf(stderr, "fuzz_replay: no target %s\n", argv[1]);
    return 2;
  }
  return Replay(target->second, target->first, argc - 2, argv + 2);
}
