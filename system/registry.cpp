#include "system/registry.h"

#include <windows.h>

#include <vector>

#include "system/scoped.h"

namespace {

HKEY PredefinedKey(RootKey root) {
  switch (root) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_CONFIG;
    case 4: return HKEY_LOCAL_MACHINE;
    case 5: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
  }
}

ScopedKey OpenKey(RootKey root, const std::string& keyPath, REGSAM access) {
  ScopedKey key;
  if (RegOpenKeyExA(PredefinedKey(root), keyPath.c_str(), 0, access, key.Receive()) != ERROR_SUCCESS)
    key.Release();
  return key;
}

// The stored bytes of a value of the given type, or false. The size may change
// between the two queries; a short second read is then a failure, not an overrun.
bool QueryValueBytes(HKEY key, const std::string& valueName, DWORD& type, std::vector<char>& bytes) {
  DWORD size = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  bytes.assign(size, 0);
  DWORD read = size;
  DWORD readType = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &readType, reinterpret_cast<BYTE*>(bytes.data()), &read) !=
          ERROR_SUCCESS ||
      readType != type || read > size)
    return false;
  bytes.resize(read);
  return true;
}

std::string TextUpToZero(const std::vector<char>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  std::size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

// ExpandEnvironmentStringsA may report its size in characters rather than bytes
// (too small for double-byte text), so the result is checked and the buffer grown.
std::string ExpandEnvironment(const std::string& text) {
  std::vector<char> expanded(text.size() * 2 + 64, 0);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD capacity = static_cast<DWORD>(expanded.size()) - 1;
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), capacity);
    if (needed == 0) return std::string();
    if (needed <= capacity && lstrlenA(expanded.data()) + 1 < static_cast<int>(capacity))
      return std::string(expanded.data());
    expanded.assign(static_cast<std::size_t>(needed) * 2 + expanded.size(), 0);
  }
  return std::string();
}

}  // namespace

bool WriteRegistryValue(RootKey root, std::string_view path, const RegistryValue& value) {
  RegistryPathParts parts = SplitRegistryPath(path);
  ScopedKey key = OpenKey(root, parts.keyPath, KEY_WRITE);
  if (!key && RegCreateKeyA(PredefinedKey(root), parts.keyPath.c_str(), key.Receive()) != ERROR_SUCCESS) return false;
  LONG status;
  if (value.kind == RegistryValue::Kind::Dword) {
    DWORD dword = value.dword;
    status = RegSetValueExA(key.Get(), parts.valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                            sizeof dword);
  } else {
    status = RegSetValueExA(key.Get(), parts.valueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.text.c_str()), static_cast<DWORD>(value.text.size() + 1));
  }
  return status == ERROR_SUCCESS;
}

bool DeleteRegistryItem(RootKey root, std::string_view path) {
  RegistryPathParts parts = SplitRegistryPath(path);
  {
    ScopedKey key = OpenKey(root, parts.keyPath, KEY_WRITE);
    if (key && RegDeleteValueA(key.Get(), parts.valueName.c_str()) == ERROR_SUCCESS) return true;
  }
  return RegDeleteKeyA(PredefinedKey(root), std::string(path).c_str()) == ERROR_SUCCESS;
}

std::string ReadRegistryText(RootKey root, std::string_view path) {
  RegistryPathParts parts = SplitRegistryPath(path);
  ScopedKey key = OpenKey(root, parts.keyPath, KEY_READ);
  if (!key) return std::string();
  DWORD type = 0;
  std::vector<char> bytes;
  if (!QueryValueBytes(key.Get(), parts.valueName, type, bytes)) return std::string();
  if (type == REG_SZ) return TextUpToZero(bytes);
  if (type == REG_EXPAND_SZ) return ExpandEnvironment(TextUpToZero(bytes));
  return std::string();
}

bool RegistryItemExists(RootKey root, std::string_view path) {
  RegistryPathParts parts = SplitRegistryPath(path);
  ScopedKey key = OpenKey(root, parts.keyPath, KEY_READ);
  if (!key) return false;
  return RegQueryValueExA(key.Get(), parts.valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
