// A fresh, empty folder under $TMPDIR (else /dev/shm, else /tmp), removed with everything in
// it when the object goes away.
#pragma once

#include <filesystem>

namespace skerrow {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace skerrow
