#include "optimise/catalogue.h"

#include <array>

#include "optimise/decimal_text.h"

namespace {

// NoDriveTypeAutoRun is a bit mask of drive types whose AutoPlay is off. XP's
// default 0x91 (unknown, network, 0x80 reserved) plus 0x08 (fixed drives) turns
// AutoPlay off for hard disks while bit 0x20 (CD drives) stays clear, so music
// CDs still play. 0x99 = 153.
constexpr const char* kNoDriveTypeAutoRunText = "153";

// Public NTP pools, added after the servers XP lists by default (values 0 to 2).
constexpr const char* kTimeServer1 = "pool.ntp.org";
constexpr const char* kTimeServer2 = "time.nist.gov";
constexpr const char* kTimeServer3 = "ntp.ubuntu.com";

struct ActionValueSpec {
  ActionKind kind;
  std::int64_t number;
  const char* text;
};
constexpr ActionValueSpec Number(std::int64_t n) { return {ActionKind::WriteNumber, n, nullptr}; }
constexpr ActionValueSpec NumberText(const char* t) { return {ActionKind::WriteNumberText, 0, t}; }
constexpr ActionValueSpec Text(const char* t) { return {ActionKind::WriteText, 0, t}; }
constexpr ActionValueSpec Delete() { return {ActionKind::Delete, 0, nullptr}; }

struct Row {
  int item;
  RootKey root;
  const char* path;
  ActionValueSpec value;
};

// Root 1 HKCR, 3 HKCU, 4 HKLM.
constexpr Row kRows[] = {
    { 0, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDriveTypeAutoRun", NumberText(kNoDriveTypeAutoRunText)},
    { 1, 4, "SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\AutoRun", NumberText("00000001")},
    { 1, 4, "SYSTEM\\ControlSet001\\Services\\USBSTOR\\AutoRun", NumberText("00000001")},
    { 2, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz\\NoRun", NumberText("00000001")},
    { 3, 3, "Control Panel\\desktop\\MenuShowDelay", NumberText("0")},
    { 4, 3, "Software\\Microsoft\\CTF\\LangBar\\ItemState\\{ED9D5450-EBE6-4255-8289-F8A31E687228}\\DemoteLevel", NumberText("00000003")},
    { 5, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour\\RunCount", Number(0)},
    { 5, 4, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour\\RunCount", Number(0)},
    { 6, 4, "SOFTWARE\\Policies\\Microsoft\\Windows\\DriverSearching\\DontSearchWindowsUpdate", Number(1)},
    { 6, 4, "SOFTWARE\\Policies\\Microsoft\\Windows\\DriverSearching\\DontPromptForWindowsUpdate", Number(1)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu\\{450D8FBA-AD25-11D0-98A8-0800361B1103}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu\\{208D2C60-3AEA-1069-A2D7-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu\\{871C5380-42A0-1069-A2EA-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu\\{645FF040-5081-101B-9F08-00AA002F954E}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel\\{450D8FBA-AD25-11D0-98A8-0800361B1103}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel\\{208D2C60-3AEA-1069-A2D7-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel\\{871C5380-42A0-1069-A2EA-08002B30309D}", Number(0)},
    { 7, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel\\{645FF040-5081-101B-9F08-00AA002F954E}", Number(0)},
    { 8, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\NoAutoUpdate", Number(1)},
    { 8, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\AUOptions", Number(1)},
    { 8, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\ConfigVer", Number(1)},
    { 9, 4, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\fAllowToGetHelp", Number(0)},
    {10, 4, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\fDenyTSConnections", Number(1)},
    {11, 4, "SYSTEM\\CurrentControlSet\\Control\\SecurePipeServers\\winreg\\RemoteRegAccess", Number(1)},
    {12, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers\\3", Text(kTimeServer1)},
    {12, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers\\4", Text(kTimeServer2)},
    {12, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers\\5", Text(kTimeServer3)},
    {13, 1, ".bfc\\ShellNew", Delete()},
    {13, 1, ".rtf\\ShellNew", Delete()},
    {13, 1, ".bmp\\ShellNew", Delete()},
    {13, 1, ".wav\\ShellNew", Delete()},
    {13, 1, ".doc\\ShellNew", Delete()},
    {13, 1, ".doc\\WordPad.Document.1\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.bfc\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.bmp\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.doc\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.rar\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.rtf\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\.zip\\ShellNew", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\FlashFXP.exe", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\moviemk.exe", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\mspaint.exe", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\shimgvw.dll", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\wordpad.exe", Delete()},
    {13, 4, "SOFTWARE\\Classes\\Applications\\zipfldr.dll", Delete()},
    {14, 4, "SYSTEM\\CurrentControlSet\\Services\\Messenger\\Start", Number(4)},
    {15, 4, "Software\\Microsoft\\Outlook Express\\Hide Messenger", Number(2)},
    {16, 4, "SOFTWARE\\Classes\\CLSID\\{FB7199AB-79BF-11d2-8D94-0000F875C541}\\InProcServer32\\ThreadingModel", Text("Apartment")},
    {17, 4, "SOFTWARE\\Policies\\Microsoft\\Messenger\\Client\\PreventAutoRun", Number(1)},
    {18, 3, "Software\\Policies\\Microsoft\\Office\\11.0\\Outlook\\InstantMessaging\\ForceDisableIM", Number(1)},
    {19, 3, "Control Panel\\Accessibility\\StickyKeys\\Flags", Number(506)},
    {19, 3, "Control Panel\\Accessibility\\HighContrast\\Flags", Number(122)},
    {19, 3, "Control Panel\\Accessibility\\Keyboard Response\\Flags", Number(122)},
    {19, 3, "Control Panel\\Accessibility\\MouseKeys\\Flags", Number(58)},
    {19, 3, "Control Panel\\Accessibility\\ToggleKeys\\Flags", Number(58)},
    {20, 4, "SOFTWARE\\Microsoft\\Security Center\\AntiVirusDisableNotify", Number(1)},
    {20, 4, "SOFTWARE\\Microsoft\\Security Center\\FirewallDisableNotify", Number(1)},
    {20, 4, "SOFTWARE\\Microsoft\\Security Center\\UpdatesDisableNotify", Number(1)},
    {21, 4, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\DoReport", Number(0)},
    {21, 4, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\ShowUI", Number(0)},
    {22, 4, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore\\DisableSR", Number(1)},
    {23, 4, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug\\Auto", Number(0)},
    {24, 3, "Control Panel\\Desktop\\AutoEndTasks", Number(1)},
    {24, 3, "Control Panel\\Desktop\\HungAppTimeout", Number(1000)},
    {24, 3, "Control Panel\\Desktop\\WaitToKillAppTimeout", Number(1000)},
    {24, 4, "SYSTEM\\CurrentControlSet\\Control\\WaitToKillServiceTimeout", Number(2000)},
    {25, 4, "SOFTWARE\\Microsoft\\Command Processor\\CompletionChar", Number(9)},
    {26, 4, "SYSTEM\\CurrentControlSet\\Control\\CrashControl\\LogEvent", Number(0)},
    {26, 4, "SYSTEM\\CurrentControlSet\\Control\\CrashControl\\SendAlert", Number(0)},
    {26, 4, "SYSTEM\\CurrentControlSet\\Control\\CrashControl\\AutoReboot", Number(0)},
    {26, 4, "SYSTEM\\CurrentControlSet\\Control\\CrashControl\\CrashDumpEnabled", Number(0)},
    {27, 1, ".zip\\CompressedFolder", Delete()},
    {27, 1, "CLSID\\{E88DCCE0-B7B3-11d1-A9F0-00AA0060FA31}", Delete()},
    {27, 1, "SOFTWARE\\Classes\\CompressedFolder", Delete()},
    {28, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VolumeCaches\\Compress old files", Delete()},
    {29, 3, "Software\\Microsoft\\NotePad\\fwrap", Number(1)},
    {29, 3, "Software\\Microsoft\\NotePad\\StatusBar", Number(1)},
    {30, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.nfo\\Application", Text("NOTEPAD.EXE")},
    {30, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.nfo\\OpenWithList\\a", Text("Explorer.exe")},
    {30, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.nfo\\OpenWithList\\MRUList", Text("ba")},
    {30, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.nfo\\OpenWithList\\b", Text("NOTEPAD.EXE")},
    {30, 3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.nfo\\OpenWithProgids\\MSInfo.Document", Number(0)},
    {31, 3, "Software\\Microsoft\\Command Processor\\CompletionChar", Number(9)},
    {32, 4, "SOFTWARE\\Microsoft\\DirectDraw\\EnablePrintScreen", Number(1)},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\SoundMAXPnP", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\NvCplDaemon", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\nwiz", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Mixer", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\NvMediaCenterP", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Persistence", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\RTHDCPL", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\AlcmtrP", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\IgfxTray", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\HotKeysCmds", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\SMSERIAL", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Cmaudio", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\ATIModeChange", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\snp2std", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\SiSPower", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\VModes", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\VM_STI", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\VTTimer", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\VTTrayp", Text("-")},
    {33, 4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\SigmatelSysTrayApp", Text("-")},
    {34, 3, "Software\\WinRAR\\ArcHistory", Delete()},
    {35, 3, "SOFTWARE\\WinRAR\\Setup\\MenuItems\\EmailArc", Number(0)},
    {35, 3, "SOFTWARE\\WinRAR\\Setup\\MenuItems\\EmailOpt", Number(0)},
    {36, 3, "Control Panel\\International\\sLongDate", Text("yyyy'年'M'月'd'日'dddd")},
    {36, 3, "Control Panel\\International\\sTimeFormat", Text("HH:mm:ss")},};

constexpr const char* kCaptions[kOptimisationCount] = {
    "0.关闭硬盘驱动器的自动播放(保留音乐 CD 的自动播放)",
    "1.关闭 USB 设备的自动播放",
    "2.关闭桌面清理向导",
    "3.加快菜单显示速度",
    "4.取消语言栏上的帮助按钮",
    "5.禁止 Windows 漫游气球提醒",
    "6.安装驱动时不搜索 Windows Update",
    "7.显示桌面系统图标",
    "8.关闭自动更新",
    "9.关闭远程协助(某些 XP/Server 2003 精简版会无效)",
    "10.不允许用户远程连接到这台计算机",
    "11.禁止远程修改注册表",
    "12.增加 Internet 时间校准网站",
    "13.去掉右键“新建”中的 BMP、WAV 等不常用菜单",
    "14.禁用 Messenger 服务",
    "15.Messenger 不随 Outlook 启动",
    "16.修正减慢 Outlook 启动的问题，并且禁止了动画屏幕",
    "17.不让 Messenger 随系统启动而启动",
    "18.在 Outlook 2003 中禁止 Messenger 分类",
    "19.设置辅助功能相关项",
    "20.禁止安全中心的各种提醒",
    "21.关闭错误报告",
    "22.关闭系统还原",
    "23.彻底关闭 DR.WATSON (华生医生)",
    "24.缩短关机的等待时间，加快关机速度",
    "25.在 DOS 中支持长文件名",
    "26.设置“系统失败”选项",
    "27.禁用 Windows 自带的 Zip 功能",
    "28.关闭\"压缩旧文件\"功能",
    "29.设置记事本",
    "30.用记事本打开 .nfo 文件",
    "31.开启 CMD 下按 Tab 键自动完成功能 ",
    "32.激活屏幕截图功能",
    "33.移除某些驱动(显卡+声卡+摄像头)在安装后生成的启动项",
    "34.清理 WinRAR 的历史文档记录",
    "35.去掉 WinRAR 在右键菜单中添加的“压缩...并 E-Mail”",
    "36.任务栏右下角日期 - 详细显示  年、月、日、星期",};

constexpr int kActionCount = sizeof kRows / sizeof kRows[0];

struct Tables {
  std::array<RegistryAction, kActionCount> actions{};
  std::array<OptimisationItem, kOptimisationCount> items{};
  Catalogue catalogue{};

  Tables() {
    for (int i = 0; i < kActionCount; ++i) {
      const Row& r = kRows[i];
      actions[i] = {r.item, r.root, r.path, r.value.kind, r.value.number, r.value.text};
    }
    int row = 0;
    for (int item = 0; item < kOptimisationCount; ++item) {
      int first = row;
      while (row < kActionCount && kRows[row].item == item) ++row;
      items[item] = {kCaptions[item], actions.data() + first, row - first};
    }
    catalogue = {items.data(), kOptimisationCount};
  }
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

const Catalogue& OptimisationCatalogue() { return TheTables().catalogue; }

const RegistryAction* AllCatalogueActions(int* count) {
  *count = kActionCount;
  return TheTables().actions.data();
}

RegistryValue ActionValue(const RegistryAction& action) {
  switch (action.kind) {
    case ActionKind::WriteNumberText: return RegistryValue::Real(ReadDecimalNumber(action.text));
    case ActionKind::WriteText: return RegistryValue::Text(action.text);
    default: return RegistryValue::Number(action.number);
  }
}
