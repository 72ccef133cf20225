#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "profile/hidden_files.h"
#include "profile/hidden_files_script.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/registry_probe.h"
#include "tests/unit/windows/profile_fixture.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
const char* const kEntry = "CLSID\\{00000000-0000-0000-0000-000000000012}";
const char* const kHandler = "Directory\\Background\\shellex\\ContextMenuHandlers\\SuperHidden";

class TestView : public HiddenFilesView {
 public:
  std::string tip;
  void SetToggleTip(std::string_view text) override { tip.assign(text); }
};

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}
std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}
std::string MenuScript() { return WindowsFolder() + "\\SuperHidden.vbs"; }
std::string Installed(const char* sub, const char* name) {
  return TextOf(ReadStoredValue(HKEY_CLASSES_ROOT, std::string(kEntry) + sub, name));
}

bool EntryInstalled() {
  return ReadStoredValue(HKEY_CLASSES_ROOT, std::string(kEntry) + "\\Instance\\InitPropertyBag", "command").present;
}

// Starts and ends with no entry, no menu script and no leftovers of the script.
struct CleanSystem {
  CleanSystem() { Clean(); }
  ~CleanSystem() { Clean(); }
  static void Clean() {
    RemoveTree(HKEY_CLASSES_ROOT, kEntry);
    RemoveTree(HKEY_CLASSES_ROOT, kHandler);
    DeleteFileA(MenuScript().c_str());
    DeleteFileA((TempFolder() + "_.reg").c_str());
    DeleteFileA((TempFolder() + "__.reg").c_str());
  }
};

std::string Toggle(TestView& view) {
  DialogAnswerer answer;
  ToggleHiddenFilesMenu(view);
  SeenDialog seen = answer.Result();
  CHECK(seen.caption == "信息：");
  CHECK(seen.icon == nullptr);
  return seen.found ? seen.text : "<no message>";
}
}  // namespace

TEST_CASE("the hidden-files button adds the entry, then removes it and keeps the handler key") {
  CleanSystem clean;
  TestView view;
  CHECK(Toggle(view) == "添加成功");
  CHECK(view.tip == "禁止");
  CHECK(ReadWholeFile(TempFolder() + "cmd.bat") == std::string(kHiddenFilesScript));

  // The script runs on its own; its last import step writes the whole table at once.
  REQUIRE(WaitUntil([] { return EntryInstalled(); }));
  CHECK(WaitUntil([] { return !Exists(TempFolder() + "_.reg"); }));
  CHECK(Exists(MenuScript()));
  CHECK(TextOf(ReadStoredValue(HKEY_CLASSES_ROOT, kHandler, "")) == "{00000000-0000-0000-0000-000000000012}");
  StoredValue server = ReadStoredValue(HKEY_CLASSES_ROOT, std::string(kEntry) + "\\InProcServer32", "");
  CHECK(server.type == REG_EXPAND_SZ);
  CHECK(server.bytes == SzBytes("%SystemRoot%\\system32\\shdocvw.dll"));
  CHECK(Installed("\\InProcServer32", "ThreadingModel") == "Apartment");
  CHECK(Installed("\\Instance", "CLSID") == "{3f454f0e-42ae-4d7c-8ea3-328250d6e272}");
  CHECK(Installed("\\Instance\\InitPropertyBag", "method") == "ShellExecute");
  CHECK(Installed("\\Instance\\InitPropertyBag", "Param1") == "SuperHidden.vbs");
  CHECK(Installed("\\Instance\\InitPropertyBag", "CLSID") == "{13709620-C279-11CE-A49E-444553540000}");
  // The caption comes from "find/i" over an export, which Wine's find does not take:
  // Windows shows 显示/隐藏后缀名加隐藏 here; Wine leaves the value empty.
  MESSAGE("menu caption under this system: \"", Installed("\\Instance\\InitPropertyBag", "command"), "\"");

  view.tip.clear();
  CHECK(Toggle(view) == "删除成功");
  CHECK(view.tip == "禁止");
  CHECK(WaitUntil([] { return !KeyExists(HKEY_CLASSES_ROOT, kEntry) && !Exists(MenuScript()); }));
  CHECK(KeyExists(HKEY_CLASSES_ROOT, kHandler));
}

TEST_CASE("the message follows the registry, while the script follows its menu script") {
  CleanSystem clean;
  // A menu script without the entry's values: the program says "added", the script removes.
  MakeFile(MenuScript(), "' left over");
  CreateKey(HKEY_CLASSES_ROOT, std::string(kEntry) + "\\Instance");
  TestView view;
  CHECK(Toggle(view) == "添加成功");
  CHECK(WaitUntil([] { return !KeyExists(HKEY_CLASSES_ROOT, kEntry) && !Exists(MenuScript()); }));
  CHECK_FALSE(KeyExists(HKEY_CLASSES_ROOT, kHandler));
}
