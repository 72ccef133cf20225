#include <doctest/doctest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "profile/relocation.h"
#include "system/shell.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/process_windows.h"
#include "tests/support/registry_probe.h"
#include "tests/unit/windows/profile_fixture.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
const char* const kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kCookiesPlace = "D:\\My Documents\\Cookies";

class TestView : public RelocationView {
 public:
  bool ticks[4] = {true, true, true, true};  // Documents, Favorites, Cookies, Desktop
  std::vector<std::string> progress, target;
  bool IsTicked(FolderBox box) const override { return ticks[static_cast<int>(box)]; }
  void SetProgressText(std::string_view text) override { progress.emplace_back(text); }
  void SetTargetText(std::string_view text) override { target.emplace_back(text); }
};

std::string ShellValue(const char* name) { return TextOf(ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, name)); }

// Points the three shell folders at scratch sources holding a few files, and puts
// every value the relocation may touch back afterwards.
struct RelocationFixture {
  SavedValues userShellFolders{HKEY_CURRENT_USER, kUserShellFolders, {"Desktop", "Personal", "Favorites", "Cookies"}};
  SavedValues shellFolders{HKEY_CURRENT_USER, kShellFolders, {"Desktop", "Personal", "Favorites", "Cookies"}};
  ScratchFolder sources{"profile-sources"};
  ScratchFolder target{"profile-target"};
  std::set<DWORD> explorersBefore = ProcessIds("explorer.exe");
  std::string user = Environment("USERNAME");
  std::string root = target.path + "\\";

  RelocationFixture() {
    for (const char* name : {"Desktop", "Personal", "Favorites"}) {
      std::string folder = sources / name;
      CreateDirectoryA(folder.c_str(), nullptr);
      CreateDirectoryA((folder + "\\子目录").c_str(), nullptr);
      CreateDirectoryA((folder + "\\empty").c_str(), nullptr);
      MakeFile(folder + "\\" + name + ".txt", name);
      MakeFile(folder + "\\子目录\\文件.txt", "nested");
      SetRaw(HKEY_CURRENT_USER, kUserShellFolders, name, REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1));
    }
  }
  // The Explorer restart opens a window under Wine that stays; tskill does not exist there.
  ~RelocationFixture() { CloseNewExplorer(explorersBefore); }

  std::string Source(const char* name) const { return sources / name; }
};

std::vector<std::string> Tail(const std::string& root) {
  return {"正在结束explorer进程，请稍后···", "正在重启explorer进程，请稍后···", "恭喜，转移完成！\r\n新路径为:" + root};
}
}  // namespace

TEST_CASE("relocation copies every ticked folder, repoints it and reports in order") {
  RelocationFixture f;
  REQUIRE(GetSpecialFolder(3) == f.Source("Desktop") + "\\");  // the shell reads the values we set
  TestView view;
  RelocateUserFolders(view, f.root);

  std::string documents = f.user + " 的文档";
  std::vector<std::string> expected = {"正在复制桌面文件，请稍后···", "正在复制" + documents + "文件，请稍后···",
                                       "正在复制Favorites文件，请稍后···"};
  for (const std::string& text : Tail(f.root)) expected.push_back(text);
  CHECK(view.progress == expected);

  struct Row {
    const char* valueName;
    const char* source;
    std::string folder;
  } rows[] = {{"Desktop", "Desktop", "桌面"}, {"Personal", "Personal", documents}, {"Favorites", "Favorites", "Favorites"}};
  for (const Row& row : rows) {
    CAPTURE(row.valueName);
    StoredValue stored = ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, row.valueName);
    CHECK(stored.type == REG_SZ);
    CHECK(TextOf(stored) == f.root + row.folder);
    CHECK(ReadWholeFile(f.root + row.folder + "\\" + row.source + ".txt") == row.source);
    CHECK(ReadWholeFile(f.root + row.folder + "\\子目录\\文件.txt") == "nested");
    CHECK(Exists(f.root + row.folder + "\\empty"));
    CHECK(Exists(f.Source(row.source) + "\\" + row.source + ".txt"));  // copied, never moved
  }
  CHECK(ShellValue("Cookies") == kCookiesPlace);
  CHECK(TextOf(ReadStoredValue(HKEY_CURRENT_USER, kShellFolders, "Cookies")) == kCookiesPlace);
}

TEST_CASE("a folder whose copy fails keeps its value and is named in the final text") {
  RelocationFixture f;
  // A file where the copy's folder should go: xcopy cannot create the folder.
  MakeFile(f.target / "桌面", "in the way");
  MakeFile(f.target / "Favorites", "in the way");
  TestView view;
  RelocateUserFolders(view, f.root);

  CHECK(ShellValue("Desktop") == f.Source("Desktop"));
  CHECK(ShellValue("Favorites") == f.Source("Favorites"));
  CHECK(ShellValue("Personal") == f.root + f.user + " 的文档");
  REQUIRE(!view.progress.empty());
  CHECK(view.progress.back() == "转移未完成：桌面、Favorites");
  CHECK(view.progress[view.progress.size() - 2] == "正在重启explorer进程，请稍后···");
}

TEST_CASE("the check boxes decide what a relocation writes and copies") {
  struct Case {
    const char* name;
    bool ticks[4];  // Documents, Favorites, Cookies, Desktop
    bool cookiesWritten;
  } cases[] = {{"no box ticked", {false, false, false, false}, false},
               {"only Cookies ticked", {false, false, true, false}, true}};
  for (const Case& c : cases) {
    CAPTURE(c.name);
    RelocationFixture f;
    StoredValue cookiesBefore = ReadStoredValue(HKEY_CURRENT_USER, kShellFolders, "Cookies");
    TestView view;
    for (int i = 0; i < 4; ++i) view.ticks[i] = c.ticks[i];
    RelocateUserFolders(view, f.root);

    CHECK(view.progress == Tail(f.root));
    CHECK(ShellValue("Desktop") == f.Source("Desktop"));
    CHECK(ShellValue("Personal") == f.Source("Personal"));
    CHECK(ShellValue("Favorites") == f.Source("Favorites"));
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((f.target / "*").c_str(), &found);
    int entries = 0;
    if (h != INVALID_HANDLE_VALUE) {
      do entries += found.cFileName[0] != '.';
      while (FindNextFileA(h, &found));
      FindClose(h);
    }
    CHECK(entries == 0);  // nothing copied
    if (c.cookiesWritten) {
      CHECK(ShellValue("Cookies") == kCookiesPlace);
      CHECK(TextOf(ReadStoredValue(HKEY_CURRENT_USER, kShellFolders, "Cookies")) == kCookiesPlace);
    } else {
      CHECK(ReadStoredValue(HKEY_CURRENT_USER, kShellFolders, "Cookies") == cookiesBefore);
    }
  }
}

TEST_CASE("restore defaults copies back into the profile folder") {
  RelocationFixture f;
  std::string profile = Environment("USERPROFILE");
  std::string desktop = profile + "\\桌面";
  REQUIRE(!Exists(desktop));
  TestView view;
  view.ticks[0] = view.ticks[1] = false;  // Desktop and Cookies only: keep the profile tidy
  RestoreDefaultFolders(view);

  CHECK(ShellValue("Desktop") == desktop);
  CHECK(ReadWholeFile(desktop + "\\Desktop.txt") == "Desktop");
  CHECK(ShellValue("Cookies") == kCookiesPlace);
  CHECK(view.progress.back() == "恭喜，转移完成！\r\n新路径为:" + profile + "\\");
  WipeTree(L"\\\\?\\" + WideFromAnsi(desktop));
}

TEST_CASE("one-click relocation without a target only says so") {
  SavedValues values{HKEY_CURRENT_USER, kUserShellFolders, {"Desktop", "Personal", "Favorites", "Cookies"}};
  StoredValue desktop = ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, "Desktop");
  TestView view;
  DialogAnswerer answer;
  RelocateToChosenTarget(view, "");
  SeenDialog seen = answer.Result();
  CHECK(seen.found);
  CHECK(seen.text == "没有设置保存路径！");
  CHECK(seen.caption == "信息：");
  CHECK(seen.icon == LoadIcon(nullptr, IDI_HAND));
  CHECK(view.progress.empty());
  CHECK(ReadStoredValue(HKEY_CURRENT_USER, kUserShellFolders, "Desktop") == desktop);
}

namespace {
// Plays the user at the folder picker from a thread of its own: picks `choice`,
// or cancels when it is empty.
struct PickerUser {
  std::string choice;
  bool seen = false;
  static DWORD WINAPI Run(void* self) {
    PickerUser& user = *static_cast<PickerUser*>(self);
    HWND picker = nullptr;
    WaitUntil([&] { return (picker = TopWindowOf(GetCurrentProcessId(), "#32770")) != nullptr; }, 10000);
    if (!picker) return 0;
    user.seen = true;
    if (user.choice.empty()) {
      PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    } else {
      // The picker fills its tree and selects its start folder after it shows:
      // a selection made earlier would be replaced.
      HWND tree = GetDlgItem(picker, 14145);
      WaitUntil([&] { return SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0; }, 10000);
      Sleep(200);
      SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(user.choice.c_str()));
      PostMessageA(picker, WM_COMMAND, IDOK, 0);
    }
    return 0;
  }
};
}  // namespace

TEST_CASE("the chosen target ends with one backslash; a cancelled picker changes nothing") {
  // One level below the drive: Wine's picker does not reliably open deeper
  // levels for a selection sent to it.
  std::string folder = "C:\\prepkit-test-profile-picked";
  CreateDirectoryA(folder.c_str(), nullptr);
  struct Case {
    std::string choice;
    std::string savePath;  // expected afterwards
  } cases[] = {{folder, folder + "\\"}, {"C:\\", "C:\\"}, {"", "E:\\Old\\"}};
  for (const Case& c : cases) {
    CAPTURE(c.choice);
    TestView view;
    std::string savePath = "E:\\Old\\";
    PickerUser user{c.choice};
    HANDLE thread = CreateThread(nullptr, 0, PickerUser::Run, &user, 0, nullptr);
    ChooseRelocationTarget(view, savePath);
    WaitForSingleObject(thread, 15000);
    CloseHandle(thread);
    REQUIRE(user.seen);
    CHECK(savePath == c.savePath);
    if (c.choice.empty()) CHECK(view.target.empty());
    else CHECK(view.target == std::vector<std::string>{"路径为" + c.savePath});
  }
  RemoveDirectoryA(folder.c_str());
}
