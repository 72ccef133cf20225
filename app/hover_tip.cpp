#include "app/hover_tip.h"

#include <commctrl.h>

#include "app/ux_theme.h"

const ToolButtonTip kToolButtonTips[8] = {
    {"显示后缀名加隐藏", "在鼠标右键添加一个快捷功能，点1下添加.在点1下删除.循环使用(兼容XP与WIN7)"},
    {"系统垃圾清理", "清理垃圾防止木马钻系统痕迹的空子，还可以释放磁盘空间"},
    {"功能强大的软件卸载", "小巧精致功能却很强大，同类程序真没有能比过他的。用了就知道。"},
    {"输入法管理器", "可调节输入法上下位置还可以自定义快捷键！"},
    {"本地管理员检查工具", "将拥有 Administrator 权限的帐号列出,检查是否有克隆管理員与影子管理員"},
    {"WMP无法最小化", "解决Winodws Media Player 11 无法最小化到任务栏模式"},
    {"FAT32格式转换NTFS", "NTFS与FAT32互转工具真正的在这2种格式之间进行互相转换！而且是无损的哦！"},
    {"高效磁盘整理", "快速整理电脑磁盘的碎片。Windows自带的磁盘整理程序一直都不是很完美。"},
};

const char kForbiddenTip[] = "禁止";

namespace {

constexpr int kInitialDelay = 600;
constexpr int kShowTime = 3000;
constexpr COLORREF kBackground = 0xE1FFFF;
constexpr COLORREF kTextColour = 0x000000;
constexpr int kPointSize = 9;
constexpr int kMaxTipWidth = 300;  // long help texts wrap instead of running across the screen

// One font for every tip component, kept for the run.
HFONT TipFont() {
  static HFONT font = nullptr;
  if (!font) {
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(kPointSize, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
    if (screen) ReleaseDC(nullptr, screen);
    font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
  }
  return font;
}

TOOLINFOA ToolFor(HWND control) {
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

HWND CreateHoverTipComponent(HWND owner) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (tip) ConfigureHoverTipComponent(tip);
  return tip;
}

void ConfigureHoverTipComponent(HWND tip) {
  if (!tip) return;
  // Visual styles would ignore the colours below.
  SwitchOffWindowTheme(tip);
  SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kInitialDelay, 0));
  SendMessageA(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowTime, 0));
  SendMessageA(tip, TTM_SETTIPBKCOLOR, kBackground, 0);
  SendMessageA(tip, TTM_SETTIPTEXTCOLOR, kTextColour, 0);
  SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  if (HFONT font = TipFont()) SendMessageA(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void SetHoverTip(HWND component, HWND control, const char* text, int iconIndex) {
  if (!component || !control || !text) return;
  // The component copies the current text into lpszText without a bound; the
  // texts registered here are far shorter than this buffer.
  char current[1024] = {};
  TOOLINFOA tool = ToolFor(control);
  tool.lpszText = current;
  if (SendMessageA(component, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) {
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(component, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  tool = ToolFor(control);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hinst = nullptr;
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(component, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetForbiddenHoverTip(HWND component, HWND button) { SetHoverTip(component, button, kForbiddenTip, -1); }
