// Everything a test of a core component needs from the world: the real Linux
// profile, registry and file system over a fresh prefix folder (removed when
// the TestPlatform goes away), a code page, a settable clock, a recording
// user interface and shell, the in-memory clipboard, a simulated window
// system and the HTML engine; plus an options record, an error log writing
// through these services, and the Env that hands them out.
//
//   TestPlatform world;                        // code page 1252, options loaded
//   MyComponent component(world.env());
//   world.options().bErrorLog = 1;
//   world.clock().now.minute = 51;
//   EXPECT_EQ(world.ReadFile("C:\\Skerrowlog.txt"), ...);
//   EXPECT_EQ(world.ui().Texts(), ...);
//
// The options record is the TestPlatform's own, not TheFilterOptions().
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Env.h"
#include "base/ErrorLog.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxCodePage.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxProfile.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/MemoryClipboard.h"
#include "platform/linux/MyHtmlEngine.h"
#include "platform/linux/Prefix.h"
#include "platform/linux/SimulatedWindowSystem.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TempFolder.h"

namespace skerrow {

class TestPlatform {
 public:
  // How the options record starts: as the add-in's start-up leaves it over a
  // fresh prefix (LocateInstallFolder, so the load defaults), or as the
  // record's constructor leaves it.
  enum class OptionsStart { Loaded, Constructed };

  explicit TestPlatform(unsigned codePageId = 1252, OptionsStart options = OptionsStart::Loaded);
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  Env& env() { return env_; }
  Platform& platform() { return platform_; }
  FilterOptions& options() { return options_; }
  ErrorLog& log() { return log_; }

  const Prefix& prefix() const { return prefix_; }
  LinuxProfile& profile() { return profile_; }
  LinuxRegistry& registry() { return registry_; }
  LinuxFileSystem& files() { return files_; }
  LinuxCodePage& codePage() { return *codePage_; }
  SettableClock& clock() { return clock_; }
  RecordingUserInterface& ui() { return ui_; }
  RecordingShell& shell() { return shell_; }
  MemoryClipboard& clipboard() { return clipboard_; }
  SimulatedWindowSystem& windows() { return windows_; }
  MyHtmlEngine& html() { return html_; }

  // The host path of a Windows path inside the prefix ("C:\x" -> drive_c/x).
  std::filesystem::path HostPath(std::string_view windowsPath) const;
  // Shortcuts to the file system for arranging and checking files by their
  // Windows paths; WriteFile creates missing folders and replaces the file.
  std::optional<std::string> ReadFile(std::string_view windowsPath) const;
  void WriteFile(std::string_view windowsPath, std::string_view content) const;

 private:
  TempFolder folder_;
  Prefix prefix_;
  LinuxProfile profile_;
  LinuxRegistry registry_;
  LinuxFileSystem files_;
  std::unique_ptr<LinuxCodePage> codePage_;
  SettableClock clock_;
  RecordingUserInterface ui_;
  RecordingShell shell_;
  MemoryClipboard clipboard_;
  SimulatedWindowSystem windows_;
  MyHtmlEngine html_;
  Platform platform_;
  FilterOptions options_;
  ErrorLog log_;
  Env env_;
};

}  // namespace skerrow
