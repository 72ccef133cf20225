#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "profile/autologon.h"
#include "tests/support/registry_probe.h"
#include "tests/unit/windows/profile_fixture.h"

namespace {
const char* const kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class TestView : public AutoLogonView {
 public:
  std::string password;
  std::string PasswordText() const override { return password; }
};

StoredValue Winlogon(const char* name) { return ReadStoredValue(HKEY_LOCAL_MACHINE, kWinlogon, name); }
StoredValue Sz(const std::string& text) { return {true, REG_SZ, SzBytes(text)}; }

struct WinlogonFixture {
  SavedValues saved{HKEY_LOCAL_MACHINE, kWinlogon, {"AutoAdminLogon", "DefaultPassword", "DefaultUserName"}};
  WinlogonFixture() { SetRaw(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", REG_SZ, "维护员", 7); }
};
}  // namespace

TEST_CASE("setting automatic logon stores both values as texts and leaves the user name") {
  WinlogonFixture f;
  StoredValue user = Winlogon("DefaultUserName");
  TestView view;
  // An empty password is an empty text; a second click replaces the first password.
  for (const char* password : {"", "第一个密码", "second"}) {
    CAPTURE(password);
    view.password = password;
    SetAutoLogon(view);
    CHECK(Winlogon("AutoAdminLogon") == Sz("1"));
    CHECK(Winlogon("DefaultPassword") == Sz(password));
    CHECK(Winlogon("DefaultUserName") == user);
  }
}

TEST_CASE("cancelling automatic logon turns it off and removes the stored password") {
  WinlogonFixture f;
  StoredValue user = Winlogon("DefaultUserName");
  TestView view;
  view.password = "secret";
  SetAutoLogon(view);
  REQUIRE(Winlogon("DefaultPassword").present);
  CancelAutoLogon();
  CHECK(Winlogon("AutoAdminLogon") == Sz("0"));
  CHECK_FALSE(Winlogon("DefaultPassword").present);
  CHECK(Winlogon("DefaultUserName") == user);
  CancelAutoLogon();  // nothing left to remove
  CHECK(Winlogon("AutoAdminLogon") == Sz("0"));
}

TEST_CASE("the logon user name box shows the stored text only") {
  WinlogonFixture f;
  CHECK(DefaultLogonUserName() == "维护员");
  DWORD number = 7;
  SetRaw(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", REG_DWORD, &number, sizeof number);
  CHECK(DefaultLogonUserName().empty());
  HKEY key;
  REQUIRE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWinlogon, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS);
  RegDeleteValueA(key, "DefaultUserName");
  RegCloseKey(key);
  CHECK(DefaultLogonUserName().empty());
}
