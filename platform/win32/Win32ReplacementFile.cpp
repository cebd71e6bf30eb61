#include "platform/win32/Win32ReplacementFile.h"

#include <cwchar>

#include "platform/win32/Win32FileIo.h"

namespace skerrow {

namespace {

constexpr DWORD kSwapThrough = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// Whether something is at the path that must not be replaced.
bool IsProtected(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

}  // namespace

std::unique_ptr<Win32ReplacementFile> Win32ReplacementFile::Create(const std::wstring& target) {
  if (target.empty() || target.back() == L'\\' || target.back() == L'/' || IsProtected(target)) {
    return nullptr;
  }
  // A name no one else uses: the target's, with a suffix from the process,
  // the time and the attempt; CREATE_NEW refuses a name that is taken.
  const unsigned long long stamp = GetTickCount64();
  for (unsigned attempt = 0; attempt < 64; ++attempt) {
    wchar_t suffix[64];
    std::swprintf(suffix, 64, L".tmp-%lx-%llx-%x", GetCurrentProcessId(), stamp, attempt);
    std::wstring temporary = target + suffix;
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return std::unique_ptr<Win32ReplacementFile>(
          new Win32ReplacementFile(file, std::move(temporary), target));
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return nullptr;
}

Win32ReplacementFile::~Win32ReplacementFile() {
  if (done_) return;
  CloseHandle(file_);
  DeleteFileW(temporary_.c_str());
}

bool Win32ReplacementFile::Write(const void* data, std::size_t size) {
  if (done_ || failed_) return false;
  if (!win32::WriteWhole(file_, data, size)) failed_ = true;
  return !failed_;
}

bool Win32ReplacementFile::Commit() {
  if (done_ || failed_) return false;
  if (!FlushFileBuffers(file_)) {
    failed_ = true;
    return false;
  }
  done_ = true;
  const bool closed = CloseHandle(file_) != FALSE;
  if (!closed || !SwapIn()) {
    DeleteFileW(temporary_.c_str());
    return false;
  }
  return true;
}

bool Win32ReplacementFile::SwapIn() const {
  // A target made read-only since the writer was created stays too: both
  // calls refuse to replace a read-only file.
  if (GetFileAttributesW(target_.c_str()) == INVALID_FILE_ATTRIBUTES &&
      GetLastError() == ERROR_FILE_NOT_FOUND) {
    return MoveFileExW(temporary_.c_str(), target_.c_str(), kSwapThrough) != FALSE;
  }
  if (ReplaceFileW(target_.c_str(), temporary_.c_str(), nullptr,
                   REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                   nullptr)) {
    return true;
  }
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      // The old file went away meanwhile: nothing left to keep.
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
      // The old file was moved aside but the new one not put in its place:
      // the new bytes are complete, so finish the swap rather than leave no
      // file at the target.
      return MoveFileExW(temporary_.c_str(), target_.c_str(), kSwapThrough) != FALSE;
    default:
      // The old file is in place and untouched (held open, no rights).
      return false;
  }
}

}  // namespace skerrow
