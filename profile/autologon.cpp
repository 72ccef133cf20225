#include "profile/autologon.h"

#include "system/processes.h"
#include "system/registry.h"

namespace {
constexpr RootKey kLocalMachine = 4;
constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";
constexpr const char* kUserAccounts = "rundll32 netplwiz.dll,UsersRunDll";

std::string Winlogon(const char* valueName) { return std::string(kWinlogon) + valueName; }
}  // namespace

std::string DefaultLogonUserName() { return ReadRegistryText(kLocalMachine, Winlogon("DefaultUserName")); }

void SetAutoLogon(const AutoLogonView& view) {
  WriteRegistryValue(kLocalMachine, Winlogon("AutoAdminLogon"), RegistryValue::Text("1"));
  WriteRegistryValue(kLocalMachine, Winlogon("DefaultPassword"), RegistryValue::Text(view.PasswordText()));
}

void CancelAutoLogon() {
  WriteRegistryValue(kLocalMachine, Winlogon("AutoAdminLogon"), RegistryValue::Text("0"));
  // Left behind, the password would stay readable by every user of the image.
  DeleteRegistryItem(kLocalMachine, Winlogon("DefaultPassword"));
}

void OpenUserAccounts() { RunProgram(kUserAccounts, false); }
