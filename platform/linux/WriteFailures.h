// The writes of a prefix that failed, each with the system's reason. The
// core learns only that a write failed (and shows its message box); the
// command line says what was not saved and why from this record.
#pragma once

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace skerrow {

struct WriteFailure {
  std::filesystem::path file;
  std::string reason;  // the system's words: "No space left on device"
};

class WriteFailures {
 public:
  void Add(std::filesystem::path file, std::string reason) {
    failures_.push_back({std::move(file), std::move(reason)});
  }
  void AddError(std::filesystem::path file, int error) {
    Add(std::move(file), std::strerror(error));
  }
  const std::vector<WriteFailure>& All() const { return failures_; }

 private:
  std::vector<WriteFailure> failures_;
};

}  // namespace skerrow
