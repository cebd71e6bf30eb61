// A fresh folder under the temporary folder of the Wine prefix, removed with
// everything in it at the end of the test; paths are narrow Windows paths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace skerrow {

class TestFolder {
 public:
  TestFolder()
      : path_(Temp() + "skerrow-test-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(GetTickCount64())) {
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TestFolder() {
    for (const std::string& name : Entries()) DeleteFileA(Path(name).c_str());
    RemoveDirectoryA(path_.c_str());
  }

  std::string Path(const std::string& name) const { return path_ + "\\" + name; }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    while (search != INVALID_HANDLE_VALUE) {
      if (found.cFileName[0] != '.') names.push_back(found.cFileName);
      if (!FindNextFileA(search, &found)) break;
    }
    FindClose(search);
    return names;
  }

  static void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

 private:
  static std::string Temp() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
  }

  std::string path_;
};

}  // namespace skerrow
