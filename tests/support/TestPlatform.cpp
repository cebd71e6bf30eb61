#include "tests/support/TestPlatform.h"

#include <fstream>
#include <stdexcept>

#include "platform/linux/TextLines.h"

namespace skerrow {

namespace {

std::filesystem::path CreatedPrefix(const std::filesystem::path& root) {
  std::string error;
  if (!Prefix(root).Create(&error)) throw std::runtime_error(error);
  return root;
}

std::unique_ptr<LinuxCodePage> CodePageOrThrow(unsigned id) {
  std::unique_ptr<LinuxCodePage> page = LinuxCodePage::Create(id);
  if (!page) throw std::runtime_error("code page " + std::to_string(id) + " is not supported");
  return page;
}

}  // namespace

TestPlatform::TestPlatform(unsigned codePageId, OptionsStart options)
    : prefix_(CreatedPrefix(folder_.path() / "prefix")),
      profile_(prefix_.WinIni()),
      registry_(prefix_.RegistryFile()),
      files_(prefix_),
      codePage_(CodePageOrThrow(codePageId)),
      platform_{profile_, registry_, files_,     *codePage_, clock_,
                ui_,      shell_,    clipboard_, windows_,   html_},
      log_(files_, clock_, options_),
      env_{platform_, options_, log_} {
  if (options == OptionsStart::Loaded) options_.LocateInstallFolder(registry_, profile_);
}

TestPlatform::~TestPlatform() = default;

std::filesystem::path TestPlatform::HostPath(std::string_view windowsPath) const {
  std::optional<std::filesystem::path> host = prefix_.HostPath(windowsPath);
  if (!host) throw std::invalid_argument("not a path in the prefix: " + std::string(windowsPath));
  return *host;
}

std::optional<std::string> TestPlatform::ReadFile(std::string_view windowsPath) const {
  return textlines::ReadFile(HostPath(windowsPath));
}

void TestPlatform::WriteFile(std::string_view windowsPath, std::string_view content) const {
  std::filesystem::path host = HostPath(windowsPath);
  std::filesystem::create_directories(host.parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + host.string());
}

}  // namespace skerrow
