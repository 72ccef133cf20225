#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "system/registry.h"
#include "tests/support/registry_probe.h"

namespace {
const std::string kBase = kTestKey;
struct ScratchKey {
  ScratchKey() { RemoveTree(HKEY_CURRENT_USER, kBase); }
  ~ScratchKey() { RemoveTree(HKEY_CURRENT_USER, kBase); }
};
}  // namespace

TEST_CASE("writes store REG_DWORD or REG_SZ exactly, under whichever root the code names") {
  ScratchKey scratch;
  struct Case {
    RootKey root;
    const char* key;      // below kBase
    const char* value;
    RegistryValue written;
    DWORD type;
    std::vector<unsigned char> bytes;
  } cases[] = {
      {3, "\\a", "n", RegistryValue::Number(9), REG_DWORD, DwordBytes(9)},
      {0, "\\b", "n", RegistryValue::Real(9.0), REG_DWORD, DwordBytes(9)},
      {6, "\\c", "n", RegistryValue::Real(2.9), REG_DWORD, DwordBytes(2)},
      {-1, "\\d", "n", RegistryValue::Real(-1.5), REG_DWORD, DwordBytes(0xFFFFFFFFu)},
      {3, "\\deep\\er\\still", "t", RegistryValue::Text("优化"), REG_SZ, SzBytes("优化")},
      {3, "\\昞\\x", "昞v", RegistryValue::Text(""), REG_SZ, SzBytes("")},
      {3, "\\e", "", RegistryValue::Text("default"), REG_SZ, SzBytes("default")},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const Case& c = cases[i];
    CAPTURE(i);
    std::string key = kBase + c.key;
    CHECK(WriteRegistryValue(c.root, key + "\\" + c.value, c.written));
    StoredValue stored = ReadStoredValue(HKEY_CURRENT_USER, key, c.value);
    CHECK(stored.present);
    CHECK(stored.type == c.type);
    CHECK(stored.bytes == c.bytes);
  }
  // The double-byte character's trailing 0x5C did not split the key: 昞 is one key level.
  CHECK(KeyExists(HKEY_CURRENT_USER, kBase + "\\昞\\x"));
  CHECK_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\\x95"));
}

TEST_CASE("a write replaces a value of another type; a write whose key cannot be made fails") {
  ScratchKey scratch;
  std::string path = kBase + "\\k\\v";
  REQUIRE(WriteRegistryValue(3, path, RegistryValue::Number(7)));
  REQUIRE(WriteRegistryValue(3, path, RegistryValue::Text("seven")));
  StoredValue stored = ReadStoredValue(HKEY_CURRENT_USER, kBase + "\\k", "v");
  CHECK(stored.type == REG_SZ);
  CHECK(stored.bytes == SzBytes("seven"));

  std::string tooLong = kBase + "\\" + std::string(300, 'x') + "\\v";
  CHECK_FALSE(WriteRegistryValue(3, tooLong, RegistryValue::Number(1)));
}

TEST_CASE("delete removes the value first, else a key without subkeys, never recursively") {
  ScratchKey scratch;
  DWORD one = 1;
  SetRaw(HKEY_CURRENT_USER, kBase + "\\holder", "item", REG_DWORD, &one, 4);
  CreateKey(HKEY_CURRENT_USER, kBase + "\\holder\\item");  // a value and a subkey of the same name
  CreateKey(HKEY_CURRENT_USER, kBase + "\\leaf");
  CreateKey(HKEY_CURRENT_USER, kBase + "\\branch\\child");

  CHECK(DeleteRegistryItem(3, kBase + "\\holder\\item"));
  CHECK_FALSE(ReadStoredValue(HKEY_CURRENT_USER, kBase + "\\holder", "item").present);
  CHECK(KeyExists(HKEY_CURRENT_USER, kBase + "\\holder\\item"));

  CHECK(DeleteRegistryItem(3, kBase + "\\holder\\item"));  // now the empty subkey goes
  CHECK_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\holder\\item"));
  CHECK(DeleteRegistryItem(3, kBase + "\\leaf"));
  CHECK_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\leaf"));

  CHECK_FALSE(DeleteRegistryItem(3, kBase + "\\branch"));
  CHECK(KeyExists(HKEY_CURRENT_USER, kBase + "\\branch\\child"));
  CHECK_FALSE(DeleteRegistryItem(3, kBase + "\\nothing\\here"));
}

TEST_CASE("reading text takes REG_SZ and expanded REG_EXPAND_SZ only, and never reads past the stored bytes") {
  ScratchKey scratch;
  std::string key = kBase + "\\read";
  DWORD nine = 9;
  SetRaw(HKEY_CURRENT_USER, key, "dword", REG_DWORD, &nine, 4);
  SetRaw(HKEY_CURRENT_USER, key, "sz", REG_SZ, "文本\0tail", 10);
  SetRaw(HKEY_CURRENT_USER, key, "unterminated", REG_SZ, "abcXXXX", 3);
  SetRaw(HKEY_CURRENT_USER, key, "empty", REG_SZ, "", 0);
  SetRaw(HKEY_CURRENT_USER, key, "binary", REG_BINARY, "ab", 3);
  SetEnvironmentVariableA("PREPKIT_TEST_VAR", "展开");
  SetRaw(HKEY_CURRENT_USER, key, "expand", REG_EXPAND_SZ, "x%PREPKIT_TEST_VAR%y", 21);

  struct Case {
    const char* value;
    const char* text;
  } cases[] = {
      {"dword", ""}, {"sz", "文本"}, {"unterminated", "abc"}, {"empty", ""},
      {"binary", ""}, {"expand", "x展开y"}, {"missing", ""},
  };
  for (const Case& c : cases) {
    std::string name = c.value, expected = c.text;
    CAPTURE(name);
    CHECK(ReadRegistryText(3, key + "\\" + name) == expected);
  }
  CHECK(ReadRegistryText(3, kBase + "\\nokey\\v") == "");
}

TEST_CASE("existence is tested for values of any type, never for keys") {
  ScratchKey scratch;
  DWORD nine = 9;
  SetRaw(HKEY_CURRENT_USER, kBase + "\\e", "dword", REG_DWORD, &nine, 4);
  SetRaw(HKEY_CURRENT_USER, kBase + "\\e", "sz", REG_SZ, "x", 2);
  CreateKey(HKEY_CURRENT_USER, kBase + "\\e\\sub");
  CHECK(RegistryItemExists(3, kBase + "\\e\\dword"));
  CHECK(RegistryItemExists(0, kBase + "\\e\\sz"));
  CHECK_FALSE(RegistryItemExists(3, kBase + "\\e\\sub"));
  CHECK_FALSE(RegistryItemExists(3, kBase + "\\e\\missing"));
  CHECK_FALSE(RegistryItemExists(3, kBase + "\\nokey\\v"));
}
