// The registry of Windows, read-only: string values (REG_SZ, REG_EXPAND_SZ,
// not expanded) as the system stores them. A 32-bit build in a 64-bit Windows
// sees the registry's 32-bit view, as every 32-bit program does.
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class Win32Registry : public Registry {
 public:
  // Empty as well for a value of another type, and for a path or name
  // holding a NUL.
  std::optional<std::string> QueryString(RegistryRoot root, std::string_view keyPath,
                                         std::string_view valueName,
                                         std::size_t bufferSize) override;
};

}  // namespace skerrow
