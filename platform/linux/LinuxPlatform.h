// The platform of the command line: the services of one prefix folder, with
// the console for message boxes, a simulated window system and the myhtml
// HTML engine.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/linux/ConsoleUserInterface.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxCodePage.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxProfile.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/LinuxShell.h"
#include "platform/linux/MemoryClipboard.h"
#include "platform/linux/MyHtmlEngine.h"
#include "platform/linux/Prefix.h"
#include "platform/linux/SimulatedWindowSystem.h"
#include "platform/linux/WriteFailures.h"

namespace skerrow {

class LinuxPlatform {
 public:
  // Creates the prefix folder if needed. Null, with the reason in *error,
  // when the prefix cannot be created or the code page is not supported.
  static std::unique_ptr<LinuxPlatform> Open(const std::filesystem::path& root, unsigned codePageId,
                                             std::string* error);

  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  Platform& platform() { return platform_; }
  const Prefix& prefix() const { return prefix_; }
  // The profile and file writes that failed so far, with their reasons.
  const WriteFailures& writeFailures() const { return writeFailures_; }

  // Removes the temporary files of replacements that a killed process left
  // in the prefix folder and under drive_c/. Only while holding the prefix
  // (PrefixLock), so that no other instance is writing one.
  void RemoveStaleReplacements() const;

 private:
  LinuxPlatform(const std::filesystem::path& root, std::unique_ptr<LinuxCodePage> codePage);

  Prefix prefix_;
  WriteFailures writeFailures_;
  LinuxProfile profile_;
  LinuxRegistry registry_;
  LinuxFileSystem files_;
  std::unique_ptr<LinuxCodePage> codePage_;
  LinuxClock clock_;
  ConsoleUserInterface ui_;
  LinuxShell shell_;
  MemoryClipboard clipboard_;
  SimulatedWindowSystem windows_;
  MyHtmlEngine html_;
  Platform platform_;
};

}  // namespace skerrow
