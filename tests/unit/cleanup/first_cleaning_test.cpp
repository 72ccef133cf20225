#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "cleanup/cleaning.h"
#include "tests/support/dialog_watch.h"
#include "tests/unit/cleanup/junk_fixture.h"

// A program of its own: no analysis may have run in the process before.
TEST_CASE("Before any analysis, cleaning with every box ticked touches only the browser cache and the bins") {
  OleSession ole;
  const std::string temp = "C:\\prepkit-cleanup\\first\\temp\\";
  UseTempFolder(temp);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string profile = ProfileFolderOfStartMenu();
  const std::string stays[] = {temp, std::string(windows) + "\\temp\\", profile + "Cookies\\",
                               profile + "LOCAL SETTINGS\\History\\", profile + "Recent\\"};
  for (const std::string& folder : stays) {
    REQUIRE(folder.rfind("C:\\", 0) == 0);
    ResetFolder(folder);
    REQUIRE(WriteSizedFile(folder + "junk.dat", 100));
  }
  const std::string cache = ShellFolder(CSIDL_INTERNET_CACHE);
  ResetFolder(cache);
  REQUIRE(WriteSizedFile(cache + "Content.IE5\\page.htm", 100));
  bool binIsOurs = RecycleBinBelongsToTests();
  if (binIsOurs) {
    REQUIRE(WriteSizedFile(temp + "binned.txt", 10));
    REQUIRE(MoveToRecycleBin(temp + "binned.txt"));
    REQUIRE(RecycleBinItemCount() > 0);
  }

  TestView view{JunkKind::TempFiles,       JunkKind::InternetCache, JunkKind::Cookies,
                JunkKind::History,         JunkKind::RecentDocuments};
  view.ticked[static_cast<int>(JunkKind::RecycleBins)] = binIsOurs;
  DialogAnswerer answer;
  CleanJunk(view);
  CHECK(answer.Result().found);
  REQUIRE(WaitForCleaningTasks());

  for (const std::string& folder : stays) CHECK_MESSAGE(Exists(folder + "junk.dat"), folder);
  CHECK(!Exists(cache + "Content.IE5"));
  if (binIsOurs)
    CHECK(RecycleBinItemCount() == 0);
  else
    MESSAGE("recycle bin part skipped: the bin is not the test environment's own");
  RemoveTestTree("C:\\prepkit-cleanup\\first\\");
}
