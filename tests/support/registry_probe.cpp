#include "tests/support/registry_probe.h"

HKEY RootHandle(int root) {
  switch (root) {
    case 1: return HKEY_CLASSES_ROOT;
    case 4: return HKEY_LOCAL_MACHINE;
    default: return HKEY_CURRENT_USER;
  }
}

StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& valueName) {
  StoredValue v;
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(h, valueName.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.bytes.resize(size);
    if (RegQueryValueExA(h, valueName.c_str(), nullptr, &v.type, v.bytes.data(), &size) == ERROR_SUCCESS) {
      v.bytes.resize(size);
      v.present = true;
    }
  }
  RegCloseKey(h);
  return v;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void CreateKey(HKEY root, const std::string& key) {
  HKEY h;
  if (RegCreateKeyA(root, key.c_str(), &h) == ERROR_SUCCESS) RegCloseKey(h);
}

void SetRaw(HKEY root, const std::string& key, const std::string& valueName, DWORD type, const void* data, DWORD size) {
  HKEY h;
  if (RegCreateKeyA(root, key.c_str(), &h) != ERROR_SUCCESS) return;
  RegSetValueExA(h, valueName.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(h);
}

bool RemoveTree(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
    char name[512];
    for (;;) {
      DWORD len = sizeof name;
      if (RegEnumKeyExA(h, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (!RemoveTree(h, name)) break;
    }
    RegCloseKey(h);
  }
  return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

std::vector<unsigned char> DwordBytes(DWORD value) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(&value);
  return std::vector<unsigned char>(p, p + 4);
}

std::vector<unsigned char> SzBytes(const std::string& text) {
  std::vector<unsigned char> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}
