#include "com/RegistryScript.h"

#include <objbase.h>

namespace skerrow::com {

namespace {

HKEY HiveKey(RegistryHive hive) {
  return hive == RegistryHive::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

std::wstring Expand(const wchar_t* text, const RegistryPlaceholders& values) {
  std::wstring result(text);
  const struct {
    const wchar_t* name;
    const std::wstring* value;
  } placeholders[] = {
      {L"%MODULE%", &values.module}, {L"%CLSID%", &values.clsid}, {L"%LIBID%", &values.libid}};
  for (const auto& placeholder : placeholders) {
    const std::wstring name(placeholder.name);
    for (std::size_t at = result.find(name); at != std::wstring::npos;
         at = result.find(name, at + placeholder.value->size())) {
      result.replace(at, name.size(), *placeholder.value);
    }
  }
  return result;
}

HRESULT FromWin32(LSTATUS status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

HRESULT WriteEntry(const RegistryEntry& entry, const RegistryPlaceholders& values) {
  HKEY key = nullptr;
  const std::wstring path = Expand(entry.key, values);
  LSTATUS status = RegCreateKeyExW(HiveKey(entry.hive), path.c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return FromWin32(status);
  switch (entry.kind) {
    case RegistryEntry::Kind::Key:
      break;
    case RegistryEntry::Kind::String: {
      const std::wstring data = Expand(entry.text, values);
      status =
          RegSetValueExW(key, entry.value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
      break;
    }
    case RegistryEntry::Kind::Dword:
      status = RegSetValueExW(key, entry.value, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&entry.number), sizeof(entry.number));
      break;
  }
  RegCloseKey(key);
  return FromWin32(status);
}

HRESULT RemoveKey(const OwnedRegistryKey& owned, const RegistryPlaceholders& values) {
  const std::wstring path = Expand(owned.key, values);
  const LSTATUS status = RegDeleteTreeW(HiveKey(owned.hive), path.c_str());
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) return S_OK;
  if (status != ERROR_SUCCESS) return FromWin32(status);
  // RegDeleteTreeW empties the key but leaves the key itself.
  const LSTATUS removed = RegDeleteKeyW(HiveKey(owned.hive), path.c_str());
  return removed == ERROR_FILE_NOT_FOUND ? S_OK : FromWin32(removed);
}

}  // namespace

HRESULT ApplyRegistryScript(const RegistryScript& script, const RegistryPlaceholders& values) {
  for (const OwnedRegistryKey& owned : script.ownedKeys) {
    const HRESULT status = RemoveKey(owned, values);
    if (FAILED(status)) return status;
  }
  for (const RegistryEntry& entry : script.entries) {
    const HRESULT status = WriteEntry(entry, values);
    if (FAILED(status)) return status;
  }
  return S_OK;
}

HRESULT RemoveRegistryScript(const RegistryScript& script, const RegistryPlaceholders& values) {
  HRESULT first = S_OK;
  for (const OwnedRegistryKey& owned : script.ownedKeys) {
    const HRESULT status = RemoveKey(owned, values);
    if (FAILED(status) && SUCCEEDED(first)) first = status;
  }
  return first;
}

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace skerrow::com
