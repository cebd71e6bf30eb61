// A file system in memory for tests and benchmarks that measure or check file
// formats rather than the disk.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace skerrow {

// Files in memory. A replacement becomes the file only on Commit; each way
// of failing can be switched on.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string, std::less<>> files;
  bool refuseRead = false;  // files are there but cannot be read
  bool refuseCreate = false;
  std::optional<std::size_t> acceptedBytes;  // writes fail beyond this many bytes
  bool refuseCommit = false;
  int commits = 0;

  bool AppendText(std::string_view path, std::string_view text) override {
    files[std::string(path)] += text;
    return true;
  }
  std::optional<std::string> ReadAll(std::string_view path) override {
    const auto file = files.find(path);
    if (file == files.end() || refuseRead) return std::nullopt;
    return file->second;
  }
  bool Exists(std::string_view path) override { return files.find(path) != files.end(); }
  std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view path) override {
    if (refuseCreate) return nullptr;
    return std::make_unique<Replacement>(*this, std::string(path));
  }
  bool RenameFile(std::string_view from, std::string_view to) override {
    const auto file = files.find(from);
    if (file == files.end()) return false;
    files[std::string(to)] = std::move(file->second);
    files.erase(std::string(from));
    return true;
  }

 private:
  class Replacement : public ReplacementFile {
   public:
    Replacement(MemoryFileSystem& owner, std::string path)
        : owner_(owner), path_(std::move(path)) {}
    bool Write(const void* data, std::size_t size) override {
      if (owner_.acceptedBytes && bytes_.size() + size > *owner_.acceptedBytes) return false;
      bytes_.append(static_cast<const char*>(data), size);
      return true;
    }
    bool Commit() override {
      if (owner_.refuseCommit) return false;
      ++owner_.commits;
      owner_.files[path_] = bytes_;
      return true;
    }

   private:
    MemoryFileSystem& owner_;
    std::string path_;
    std::string bytes_;
  };
};

}  // namespace skerrow
