// Test-side registry helpers that read what is really stored, independent of the
// code under test, and a scratch key that tests create and remove.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

constexpr const char* kTestKey = "Software\\PrepKitTest";

struct StoredValue {
  bool present = false;
  DWORD type = 0;
  std::vector<unsigned char> bytes;
  bool operator==(const StoredValue& o) const { return present == o.present && type == o.type && bytes == o.bytes; }
};

HKEY RootHandle(int root);
StoredValue ReadStoredValue(HKEY root, const std::string& key, const std::string& valueName);
bool KeyExists(HKEY root, const std::string& key);
void CreateKey(HKEY root, const std::string& key);
void SetRaw(HKEY root, const std::string& key, const std::string& valueName, DWORD type, const void* data, DWORD size);
// Removes a key and everything below it.
bool RemoveTree(HKEY root, const std::string& key);
std::vector<unsigned char> DwordBytes(DWORD value);
std::vector<unsigned char> SzBytes(const std::string& text);  // with its terminating zero
