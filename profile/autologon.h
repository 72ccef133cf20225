// Automatic logon through the Winlogon values under HKLM. XP's automatic logon
// reads the password from "DefaultPassword" in plain text: there is no other place
// for it, so it is removed again when automatic logon is turned off.
#pragma once
#include <string>

#include "profile/profile_view.h"

// The user name the logon screen offers; empty when absent or not a text.
std::string DefaultLogonUserName();

// 按钮8: "AutoAdminLogon" = "1" and "DefaultPassword" = the typed password, both as
// texts. "DefaultUserName" is left as it is.
void SetAutoLogon(const AutoLogonView& view);
// 按钮9: "AutoAdminLogon" = "0" and the stored password removed.
void CancelAutoLogon();
// 按钮10: the system's own user-accounts dialog, shown normally, not waited for.
void OpenUserAccounts();
