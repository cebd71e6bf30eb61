// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace skerrow::cli {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& purpose);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace skerrow::cli
