#include "host/maildir/MaildirStatus.h"

#include <cerrno>
#include <cstdio>

namespace skerrow::maildir {

HResult StatusFromErrno(int error) {
  switch (error) {
    case 0:
      return hr::kOk;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return hr::kAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case EEXIST:
    case ENOTEMPTY:
      return kAlreadyExists;
    case ENAMETOOLONG:
    case EINVAL:
      return kInvalidName;
    case ENOMEM:
      return hr::kOutOfMemory;
    case EWOULDBLOCK:
      return kSharingViolation;
    case EIO:
      return kIoDevice;
    default:
      return hr::kFail;
  }
}

std::string DescribeStatus(HResult status) {
  switch (status) {
    case hr::kOk:
      return "success";
    case kFileNotFound:
      return "no such message or file";
    case kPathNotFound:
      return "no such directory";
    case kSharingViolation:
      return "in use by another instance";
    case kDiskFull:
      return "No space left on device";
    case kInvalidName:
      return "invalid name";
    case kAlreadyExists:
      return "the name already exists";
    case kNotFound:
      return "not found";
    case kIoDevice:
      return "Input/output error";
    case kBadIndex:
      return "index out of range";
    case hr::kAccessDenied:
      return "Permission denied";
    case hr::kOutOfMemory:
      return "out of memory";
    case hr::kInvalidArg:
      return "invalid argument";
    case hr::kNotImpl:
      return "not supported by this store";
    default:
      break;
  }
  char text[32];
  std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(status));
  return text;
}

}  // namespace skerrow::maildir
