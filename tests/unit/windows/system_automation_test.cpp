#include <doctest/doctest.h>

#include <windows.h>
#include <ole2.h>

#include <string>

#include "system/automation.h"
#include "tests/unit/windows/system_fixture.h"

namespace {
struct Ole {
  Ole() { OleInitialize(nullptr); }
  ~Ole() { OleUninitialize(); }
};
}  // namespace

TEST_CASE("a FileSystemObject reports a folder's files and a file's size by member name") {
  Ole ole;
  ScratchFolder scratch("automation");
  REQUIRE(MakeFile(scratch / "a.txt", std::string(1234, 'a')));
  REQUIRE(MakeFile(scratch / "b.txt", "bb"));
  REQUIRE(MakeFile(scratch / "文件.txt", "ccc"));
  REQUIRE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));

  AutomationObject files = CreateAutomationObject("Scripting.FileSystemObject");
  REQUIRE(files);
  AutomationObject folder = CallAutomationMethod(files, "GetFolder", {scratch.path});
  REQUIRE(folder);
  CHECK(ReadAutomationNumber(CallAutomationMethod(folder, "Files"), "Count") == 3);
  CHECK(ReadAutomationNumber(CallAutomationMethod(folder, "SubFolders"), "Count") == 1);
  CHECK(ReadAutomationNumber(CallAutomationMethod(files, "GetFile", {scratch / "a.txt"}), "Size") == 1234);
  CHECK(ReadAutomationNumber(CallAutomationMethod(files, "GetFile", {scratch / "文件.txt"}), "Size") == 3);

  double size = -1;
  bool read = TryReadAutomationNumber(folder, "Size", &size);
  if (RunningUnderWine()) {
    MESSAGE("Wine stubs Folder.Size: the failure is reported, the number left alone");
    CHECK_FALSE(read);
    CHECK(size == -1);
  } else {
    CHECK(read);
    CHECK(size == 1234 + 2 + 3);
  }
}

TEST_CASE("missing members, unknown ProgIDs and empty objects give the empty object or 0") {
  Ole ole;
  AutomationObject files = CreateAutomationObject("Scripting.FileSystemObject");
  REQUIRE(files);
  AutomationObject empty;
  double number = 7;

  CHECK_FALSE(CreateAutomationObject("PrepKit.NoSuchObject"));
  CHECK_FALSE(CreateAutomationObject(""));
  CHECK_FALSE(CallAutomationMethod(files, "NoSuchMember"));
  CHECK_FALSE(CallAutomationMethod(files, "GetFolder", {"C:\\no\\such\\folder"}));
  CHECK_FALSE(CallAutomationMethod(files, "GetTempName"));  // a text, not an object
  CHECK_FALSE(CallAutomationMethod(empty, "GetFolder", {"C:\\"}));
  CHECK(ReadAutomationNumber(files, "NoSuchMember") == 0);
  CHECK(ReadAutomationNumber(empty, "Count") == 0);
  CHECK_FALSE(TryReadAutomationNumber(files, "NoSuchMember", &number));
  CHECK(number == 7);
  // A text that is not a number cannot become one.
  CHECK_FALSE(TryReadAutomationNumber(files, "GetTempName", &number));
  CHECK(ReadAutomationNumber(files, "GetTempName") == 0);

  AutomationObject moved = std::move(files);
  CHECK(moved);
  CHECK_FALSE(files);
}
