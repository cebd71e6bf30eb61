#include "platform/linux/LinuxPlatform.h"

#include <system_error>

#include "platform/linux/LinuxReplacementFile.h"

namespace skerrow {

std::unique_ptr<LinuxPlatform> LinuxPlatform::Open(const std::filesystem::path& root,
                                                   unsigned codePageId, std::string* error) {
  Prefix prefix(root);
  if (!prefix.Create(error)) return nullptr;
  std::unique_ptr<LinuxCodePage> codePage = LinuxCodePage::Create(codePageId);
  if (!codePage) {
    if (error) *error = "code page " + std::to_string(codePageId) + " is not supported";
    return nullptr;
  }
  return std::unique_ptr<LinuxPlatform>(new LinuxPlatform(root, std::move(codePage)));
}

LinuxPlatform::LinuxPlatform(const std::filesystem::path& root,
                             std::unique_ptr<LinuxCodePage> codePage)
    : prefix_(root),
      profile_(prefix_.WinIni(), &writeFailures_),
      registry_(prefix_.RegistryFile()),
      files_(prefix_, &writeFailures_),
      codePage_(std::move(codePage)),
      ui_(*codePage_),
      shell_(prefix_),
      platform_{profile_, registry_, files_,     *codePage_, clock_,
                ui_,      shell_,    clipboard_, windows_,   html_} {}

void LinuxPlatform::RemoveStaleReplacements() const {
  LinuxReplacementFile::RemoveStale(prefix_.Root());
  std::error_code ec;
  LinuxReplacementFile::RemoveStale(prefix_.DriveC());
  std::filesystem::recursive_directory_iterator it(
      prefix_.DriveC(), std::filesystem::directory_options::skip_permission_denied, ec);
  for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) LinuxReplacementFile::RemoveStale(it->path());
  }
}

}  // namespace skerrow
