// Registration as data: the registry entries of one COM class as a table,
// applied at registration and removed at unregistration by one interpreter.
// Texts may hold placeholders, replaced when the table is applied:
// %MODULE% (the DLL's full path), %CLSID% (the class id in braces) and
// %LIBID% (the type library id in braces).
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace skerrow::com {

enum class RegistryHive { ClassesRoot, CurrentUser };

// One value to write (or, with neither text nor number, a key to create).
struct RegistryEntry {
  RegistryHive hive;
  const wchar_t* key;    // below the hive
  const wchar_t* value;  // the value's name; nullptr for the key's default value
  enum class Kind { Key, String, Dword } kind;
  const wchar_t* text = nullptr;  // String data
  DWORD number = 0;               // Dword data
};

// A key the class owns: replaced whole at registration and removed with
// everything below it at unregistration. Keys above it are never removed.
struct OwnedRegistryKey {
  RegistryHive hive;
  const wchar_t* key;
};

struct RegistryScript {
  std::span<const OwnedRegistryKey> ownedKeys;
  std::span<const RegistryEntry> entries;
};

struct RegistryPlaceholders {
  std::wstring module;
  std::wstring clsid;
  std::wstring libid;
};

// Removes the owned keys, then writes every entry; the first failing status,
// else S_OK. Stops at the first failure.
HRESULT ApplyRegistryScript(const RegistryScript& script, const RegistryPlaceholders& values);
// Removes the owned keys; a key that is not there is not a failure. The
// first failing status, else S_OK; goes on after a failure.
HRESULT RemoveRegistryScript(const RegistryScript& script, const RegistryPlaceholders& values);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
std::wstring GuidText(const GUID& guid);

}  // namespace skerrow::com
