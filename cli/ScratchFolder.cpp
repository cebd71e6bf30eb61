#include "cli/ScratchFolder.h"

#include <stdlib.h>

namespace skerrow::cli {

ScratchFolder::ScratchFolder(const std::string& purpose) {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / ("skerrow-" + purpose + "-XXXXXX")).string();
  if (error) return;
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace skerrow::cli
