#include <doctest/doctest.h>

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "optimise/run.h"
#include "system/registry_path.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/registry_probe.h"

namespace {

class TestList : public CheckList {
 public:
  explicit TestList(int count) : ticks_(count, false) {}
  int ItemCount() const override { return static_cast<int>(ticks_.size()); }
  bool IsTicked(int i) const override { return i >= 0 && i < ItemCount() && ticks_[i]; }
  void SetTick(int i, bool t) override {
    if (i >= 0 && i < ItemCount()) ticks_[i] = t;
  }
  int CurrentItem() const override { return current; }
  int current = -1;

 private:
  std::vector<bool> ticks_;
};

class TestButton : public StartButton {
 public:
  void SetEnabled(bool e) override { enabled = e; }
  bool enabled = false;
};

struct Recorded {
  const RegistryAction* action;
  bool ok;
};
void Record(const RegistryAction& action, bool ok, void* context) {
  static_cast<std::vector<Recorded>*>(context)->push_back({&action, ok});
}

// Registry names compare without case.
std::string Upper(std::string s) {
  if (!s.empty()) CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

// Everything stored in every key the catalogue touches: values with type and bytes, and subkey names.
using Snapshot = std::map<std::string, std::vector<std::string>>;
Snapshot SnapshotCatalogueKeys() {
  Snapshot snapshot;
  int count = 0;
  const RegistryAction* actions = AllCatalogueActions(&count);
  for (int i = 0; i < count; ++i) {
    for (const std::string& key : {SplitRegistryPath(actions[i].path).keyPath, std::string(actions[i].path)}) {
      std::string id = std::to_string(actions[i].root) + "|" + Upper(key);
      if (snapshot.count(id)) continue;
      std::vector<std::string>& entries = snapshot[id];
      HKEY h;
      if (RegOpenKeyExA(RootHandle(actions[i].root), key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        entries.push_back("<absent>");
        continue;
      }
      char name[1024];
      BYTE data[4096];
      for (DWORD n = 0;; ++n) {
        DWORD nameLength = sizeof name, type = 0, size = sizeof data;
        if (RegEnumValueA(h, n, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        entries.push_back("v:" + std::string(name) + ":" + std::to_string(type) + ":" +
                          std::string(reinterpret_cast<char*>(data), size));
      }
      for (DWORD n = 0;; ++n) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(h, n, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        entries.push_back("k:" + std::string(name));
      }
      RegCloseKey(h);
    }
  }
  return snapshot;
}

}  // namespace

TEST_CASE("all 37 items store exactly the catalogue's values, and a second run changes nothing") {
  // Targets of some deletes exist beforehand; one key still has a subkey and must survive.
  CreateKey(HKEY_CLASSES_ROOT, ".bmp\\ShellNew");
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Applications\\mspaint.exe");
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Applications\\wordpad.exe\\shell");
  DWORD one = 1;
  SetRaw(HKEY_CURRENT_USER, "Software\\WinRAR", "ArcHistory", REG_DWORD, &one, 4);
  SetRaw(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "IgfxTray", REG_DWORD, &one, 4);

  const Catalogue& catalogue = OptimisationCatalogue();
  TestList list(catalogue.count);
  TestButton button;
  SelectAllOptimisations(list, button);
  std::vector<Recorded> recorded;
  std::vector<int> failed = ApplyTickedOptimisations(list, catalogue, Record, &recorded);
  CHECK(failed.empty());
  REQUIRE(recorded.size() == 111);

  int count = 0;
  const RegistryAction* actions = AllCatalogueActions(&count);
  for (int i = 0; i < count; ++i) {
    const RegistryAction& action = actions[i];
    CAPTURE(i);
    CAPTURE(action.path);
    CHECK(recorded[i].action == &action);
    CHECK(recorded[i].ok);
    if (action.kind == ActionKind::Delete) continue;
    RegistryPathParts parts = SplitRegistryPath(action.path);
    StoredValue stored = ReadStoredValue(RootHandle(action.root), parts.keyPath, parts.valueName);
    RegistryValue expected = ActionValue(action);
    CHECK(stored.present);
    if (expected.kind == RegistryValue::Kind::Dword) {
      CHECK(stored.type == REG_DWORD);
      CHECK(stored.bytes == DwordBytes(expected.dword));
    } else {
      CHECK(stored.type == REG_SZ);
      CHECK(stored.bytes == SzBytes(expected.text));
    }
  }
  CHECK_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".bmp\\ShellNew"));
  CHECK_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Applications\\mspaint.exe"));
  CHECK(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Applications\\wordpad.exe\\shell"));
  CHECK_FALSE(ReadStoredValue(HKEY_CURRENT_USER, "Software\\WinRAR", "ArcHistory").present);
  StoredValue igfx = ReadStoredValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "IgfxTray");
  CHECK(igfx.type == REG_SZ);
  CHECK(igfx.bytes == SzBytes("-"));

  Snapshot afterFirst = SnapshotCatalogueKeys();
  CHECK(ApplyTickedOptimisations(list, catalogue).empty());
  CHECK(SnapshotCatalogueKeys() == afterFirst);
}

TEST_CASE("a lone ticked item performs exactly its own actions, in catalogue order") {
  const Catalogue& catalogue = OptimisationCatalogue();
  for (int only : {12, 5, 7}) {
    CAPTURE(only);
    TestList list(catalogue.count);
    list.SetTick(only, true);
    std::vector<Recorded> recorded;
    ApplyTickedOptimisations(list, catalogue, Record, &recorded);
    const OptimisationItem& item = catalogue[only];
    REQUIRE(recorded.size() == static_cast<std::size_t>(item.actionCount));
    for (int a = 0; a < item.actionCount; ++a) {
      CHECK(recorded[a].action == &item.actions[a]);
      CHECK(recorded[a].ok);
    }
  }
  // Item 5: the same value under HKCU first, then HKLM.
  CHECK(catalogue[5].actions[0].root == 3);
  CHECK(catalogue[5].actions[1].root == 4);
  CHECK(ReadStoredValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour", "RunCount")
            .bytes == DwordBytes(0));
  CHECK(ReadStoredValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour", "RunCount")
            .bytes == DwordBytes(0));
}

TEST_CASE("a write that fails names its item in an error box; nothing failing gives the success box") {
  const std::string tooLong = std::string(kTestKey) + "\\" + std::string(300, 'k') + "\\v";
  const std::string fine = std::string(kTestKey) + "\\fine\\v";
  const std::string absent = std::string(kTestKey) + "\\absent\\v";
  const RegistryAction actions[] = {
      {0, 3, fine.c_str(), ActionKind::WriteNumber, 1, nullptr},
      {1, 3, tooLong.c_str(), ActionKind::WriteNumber, 1, nullptr},
      {1, 3, fine.c_str(), ActionKind::WriteNumber, 2, nullptr},
      {2, 3, absent.c_str(), ActionKind::Delete, 0, nullptr},
  };
  const OptimisationItem items[] = {
      {"0.first", &actions[0], 1}, {"1.broken", &actions[1], 2}, {"2.delete nothing", &actions[3], 1}};
  const Catalogue small{items, 3};
  TestList list(3);
  for (int i = 0; i < 3; ++i) list.SetTick(i, true);

  std::vector<int> failed = ApplyTickedOptimisations(list, small);
  CHECK(failed == std::vector<int>{1});
  // The failing action stopped neither its item nor the run.
  CHECK(ReadStoredValue(HKEY_CURRENT_USER, std::string(kTestKey) + "\\fine", "v").bytes == DwordBytes(2));

  RunReport bad = OptimisationReport(small, failed);
  CHECK(bad.caption == "优化完成：");
  CHECK(bad.style == MB_ICONHAND);
  CHECK(bad.text == "以下优化项未能写入注册表（可能需要管理员权限）：\r\n1.broken");
  RunReport good = OptimisationReport(small, {});
  CHECK(good.text == "优化成功");
  CHECK(good.style == MB_ICONINFORMATION);
  RemoveTree(HKEY_CURRENT_USER, kTestKey);
}

TEST_CASE("the run clears items 0 to 8 only and reports in a task-modal box") {
  const Catalogue& catalogue = OptimisationCatalogue();
  TestList list(catalogue.count);
  TestButton button;
  SelectAllOptimisations(list, button);
  CHECK(button.enabled);
  DialogAnswerer answerer;
  RunOptimisations(list, catalogue);
  SeenDialog box = answerer.Result();
  CHECK(box.found);
  CHECK(box.caption == "优化完成：");
  CHECK(box.text == "优化成功");
  CHECK(box.icon == LoadIconA(nullptr, IDI_ASTERISK));
  for (int i = 0; i < catalogue.count; ++i) {
    CAPTURE(i);
    CHECK(list.IsTicked(i) == (i >= 9));
  }
  CHECK(button.enabled);
}

TEST_CASE("the start button follows select all, clear all and the current item") {
  TestList list(37);
  TestButton button;
  button.enabled = true;
  ClearAllOptimisations(list, button);
  CHECK_FALSE(button.enabled);
  for (int i = 0; i < 37; ++i) CHECK_FALSE(list.IsTicked(i));
  SelectAllOptimisations(list, button);
  CHECK(button.enabled);
  list.current = -1;
  UpdateStartButton(list, button);
  CHECK_FALSE(button.enabled);
  ClearAllOptimisations(list, button);
  list.current = 4;  // current item, no tick anywhere: still enabled
  UpdateStartButton(list, button);
  CHECK(button.enabled);
}
