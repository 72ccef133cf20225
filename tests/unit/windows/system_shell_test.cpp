#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "system/cp936.h"
#include "system/shell.h"
#include "tests/unit/windows/system_fixture.h"

TEST_CASE("GetSpecialFolder: codes 1 to 11 name existing folders ending in one backslash; others are empty") {
  for (int code = -1; code <= 13; ++code) {
    CAPTURE(code);
    std::string folder = GetSpecialFolder(code);
    if (code < 1 || code > 11) {
      CHECK(folder.empty());
      continue;
    }
    REQUIRE(folder.size() >= 2);
    CHECK(cp936::LastBackslash(folder) == folder.size() - 1);
    CHECK(cp936::LastBackslash(folder.substr(0, folder.size() - 1)) != folder.size() - 2);
    CHECK(Exists(folder));
  }
  char windows[MAX_PATH], system[MAX_PATH], temp[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  CHECK(GetSpecialFolder(9) == std::string(windows) + "\\");
  CHECK(GetSpecialFolder(10) == std::string(system) + "\\");
  CHECK(GetSpecialFolder(11) == temp);
  CHECK(GetSpecialFolder(1) != GetSpecialFolder(3));
}

TEST_CASE("ReadEnvironment compares names without case and returns values of any length") {
  std::string longValue(30000, 'v');
  longValue += "值";
  REQUIRE(SetEnvironmentVariableA("PrepKitTestShort", "路径\\x"));
  REQUIRE(SetEnvironmentVariableA("PrepKitTestLong", longValue.c_str()));
  struct Case {
    const char* name;
    std::string expected;
  } cases[] = {
      {"PrepKitTestShort", "路径\\x"}, {"prepkittestshort", "路径\\x"}, {"PREPKITTESTSHORT", "路径\\x"},
      {"prepkittestlong", longValue},  {"PrepKitTestMissing", ""},     {"", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CHECK(ReadEnvironment(c.name) == c.expected);
  }
  CHECK_FALSE(ReadEnvironment("USERPROFILE").empty());
  CHECK(ReadEnvironment("userprofile") == ReadEnvironment("USERPROFILE"));
  SetEnvironmentVariableA("PrepKitTestShort", nullptr);
  SetEnvironmentVariableA("PrepKitTestLong", nullptr);
}

TEST_CASE("ShellOpen runs a batch file hidden with the open verb and with the default verb") {
  ScratchFolder scratch("shellopen");
  std::string script = scratch / "run.bat";
  std::string marker = scratch / "ran.txt";
  REQUIRE(MakeFile(script, "@echo ran> \"" + marker + "\"\r\n"));
  const int verbs[] = {4, 0};
  for (int verb : verbs) {
    CAPTURE(verb);
    DeleteFileA(marker.c_str());
    CHECK(ShellOpen(verb, script, "", "", 1) > 32);
    for (int i = 0; i < 200 && !Exists(marker); ++i) Sleep(50);
    CHECK(Exists(marker));
  }
  CHECK(ShellOpen(4, scratch / "missing.bat", "", "", 1) <= 32);
}
