#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "cleanup/analysis.h"
#include "cleanup/junk_paths.h"
#include "cleanup/texts.h"
#include "tests/unit/cleanup/junk_fixture.h"

namespace {
constexpr std::uint64_t MB = 1048576;

// A temp folder of the test's own.
const char* const kTemp = "C:\\prepkit-cleanup\\temp\\";

std::string NoTrailingBackslash(const std::string& path) { return path.substr(0, path.size() - 1); }
}  // namespace

TEST_CASE("The temporary files' figure adds both temp folders before rounding") {
  OleSession ole;
  JunkFolders junk(kTemp);
  struct Case {
    std::uint64_t temp, windowsTemp;
    const char* figure;
  } cases[] = {
      {3 * MB, MB * 14 / 10, "4MB"},
      {MB * 2 / 10, MB * 2 / 10, "0MB"},
      {MB * 15 / 10, 0, "2MB"},
      {0, MB * 15 / 10, "2MB"},
      {MB * 14 / 10, MB * 14 / 10, "3MB"},  // rounded apart they would give 2
      {0, 0, "0MB"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.figure);
    ResetFolder(junk.temp);
    ResetFolder(junk.windowsTemp);
    // Split over nested folders so that the whole tree is measured.
    REQUIRE(WriteSizedFile(junk.temp + "a.tmp", c.temp / 2));
    REQUIRE(WriteSizedFile(junk.temp + "nested\\deeper\\b.tmp", c.temp - c.temp / 2));
    REQUIRE(WriteSizedFile(junk.windowsTemp + "sub\\w.tmp", c.windowsTemp));
    TestView view{JunkKind::TempFiles};
    AnalyseJunk(view);
    CHECK(view.figures[0] == c.figure);
  }
}

TEST_CASE("Cookies, history and recent documents show bytes; the browser cache megabytes") {
  OleSession ole;
  JunkFolders junk(kTemp);
  REQUIRE(WriteSizedFile(junk.cache + "Content.IE5\\ABCD1234\\page[1].htm", MB * 26 / 10));
  REQUIRE(WriteSizedFile(junk.cookies + "admin@example[1].txt", 53248));
  REQUIRE(WriteSizedFile(junk.history + "History.IE5\\index.dat", 16384));
  REQUIRE(WriteSizedFile(junk.history + "desktop.ini", 113, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  REQUIRE(WriteSizedFile(junk.recent + "report.doc.lnk", 517));

  TestView view{JunkKind::InternetCache, JunkKind::Cookies, JunkKind::History, JunkKind::RecentDocuments};
  AnalyseJunk(view);
  CHECK(view.figures[0] == "");
  CHECK(view.figures[1] == "3MB");
  CHECK(view.figures[2] == "53248字节");
  CHECK(view.figures[3] == "16497字节");
  CHECK(view.figures[4] == "517字节");
  CHECK(view.writes == std::vector<std::string>{"figure 2", "figure 3", "figure 4", "figure 5", "hint"});
}

TEST_CASE("With nothing ticked only the hint changes, and the locations are still replaced") {
  OleSession ole;
  JunkFolders junk(kTemp);
  REQUIRE(WriteSizedFile(junk.temp + "a.tmp", 3 * MB));
  LastJunkPaths() = {"X:\\old\\", "X:\\old", "X:\\old\\", "X:\\old", "X:\\old", "X:\\old"};

  TestView view;
  AnalyseJunk(view);
  CHECK(view.writes == std::vector<std::string>{"hint"});
  const JunkPaths& paths = LastJunkPaths();
  CHECK(paths.tempPath == junk.temp);
  CHECK(paths.windowsTempPath == NoTrailingBackslash(junk.windowsTemp));
  CHECK(paths.internetCachePath == junk.cache);
  CHECK(paths.cookiesPath == NoTrailingBackslash(junk.cookies));
  CHECK(paths.historyPath == NoTrailingBackslash(junk.history));
  CHECK(paths.recentPath == NoTrailingBackslash(junk.recent));
}

TEST_CASE("A box unticked between two analyses keeps the first figure; a ticked one shows the new size") {
  OleSession ole;
  JunkFolders junk(kTemp);
  REQUIRE(WriteSizedFile(junk.cookies + "c.txt", 100));
  REQUIRE(WriteSizedFile(junk.recent + "r.lnk", 200));
  TestView view{JunkKind::Cookies, JunkKind::RecentDocuments};
  AnalyseJunk(view);
  REQUIRE(view.figures[2] == "100字节");
  REQUIRE(view.figures[4] == "200字节");

  REQUIRE(WriteSizedFile(junk.cookies + "d.txt", 50));
  REQUIRE(WriteSizedFile(junk.recent + "s.lnk", 50));
  view.ticked[static_cast<int>(JunkKind::Cookies)] = false;
  AnalyseJunk(view);
  CHECK(view.figures[2] == "100字节");
  CHECK(view.figures[4] == "250字节");
}

TEST_CASE("A temp folder that is gone counts 0") {
  OleSession ole;
  JunkFolders junk(kTemp);
  RemoveTestTree(junk.temp);
  REQUIRE(WriteSizedFile(junk.windowsTemp + "w.tmp", MB / 10));
  TestView view{JunkKind::TempFiles};
  AnalyseJunk(view);
  CHECK(view.figures[0] == "0MB");
  CHECK(LastJunkPaths().tempPath == junk.temp);
}

TEST_CASE("The hint tells whether a recycle bin holds anything, ticked or not") {
  if (!RecycleBinBelongsToTests()) {
    MESSAGE("skipped: the recycle bin is not the test environment's own (run through run-in-wine.sh)");
    return;
  }
  OleSession ole;
  JunkFolders junk(kTemp);
  EmptyTestRecycleBin();
  REQUIRE(RecycleBinItemCount() == 0);
  for (bool ticked : {false, true}) {
    CAPTURE(ticked);
    TestView view;
    view.ticked[static_cast<int>(JunkKind::RecycleBins)] = ticked;
    AnalyseJunk(view);
    CHECK(view.hint == kRecycleBinsEmpty);
  }

  REQUIRE(WriteSizedFile(junk.temp + "deleted.txt", 10));
  REQUIRE(MoveToRecycleBin(junk.temp + "deleted.txt"));
  REQUIRE(RecycleBinItemCount() > 0);
  for (bool ticked : {false, true}) {
    CAPTURE(ticked);
    TestView view;
    view.ticked[static_cast<int>(JunkKind::RecycleBins)] = ticked;
    AnalyseJunk(view);
    std::int64_t itemsAfter = RecycleBinItemCount();
    CAPTURE(itemsAfter);
    CHECK(view.hint == kRecycleBinsHaveItems);
  }
  EmptyTestRecycleBin();
}
