// Files of Windows, named by their paths in the ANSI code page.
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class Win32FileSystem : public FileSystem {
 public:
  // Appends as a text-mode stream of the C runtime would: each "\n" of the
  // text is written as CR LF, so the error log's lines end as every Windows
  // text file's do. Others may read and write the file meanwhile.
  bool AppendText(std::string_view path, std::string_view text) override;
  // Every byte as stored; empty for a folder or a file that cannot be opened.
  std::optional<std::string> ReadAll(std::string_view path) override;
  // Anything the system cannot say is missing counts as there.
  bool Exists(std::string_view path) override;
  // A Win32ReplacementFile beside the file.
  std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view path) override;
  // MoveFileExW, replacing and writing through.
  bool RenameFile(std::string_view from, std::string_view to) override;
};

}  // namespace skerrow
