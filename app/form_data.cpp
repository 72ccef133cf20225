// The forms of the two windows: every control with its place, size, parent,
// texts, font, colours and initial state. Places are relative to the parent's
// client area; the table order is the creation and keyboard-focus order.
#include "app/forms.h"

#include <cstring>

#include "app/resources/resource_ids.h"

namespace {
constexpr const char* kTab = "选择夹1";
constexpr const char* kGroup1 = "分组框1";
constexpr const char* kGroup2 = "分组框2";
constexpr const char* kGroup3 = "分组框3";
constexpr int kWindow = -1;  // page of controls that are not on a page

constexpr FontForm kSong13{"宋体", -13, FW_NORMAL};
constexpr FontForm kSong14{"宋体", -14, FW_NORMAL};
constexpr FontForm kSong24{"宋体", -24, FW_NORMAL};

constexpr const char* kPages[] = {"系统优化", "转移备份", "系统杂项", "关于"};

constexpr const char* kRelocationNote =
    "转移备份说明：\r\n"
    "    此页设置基本大家都应该了解的！\r\n"
    "    设置好路径就点击 一键转移 如果设置错了点击 恢复默认值 就可以了\r\n"
    "    只介绍下为什么要在D盘创建1个“My Documents” 文件夹。\r\n"
    "    而不是创建 “我的文档” 文件夹。\r\n"
    "    原因是更好的兼容性，因为很多单机游戏和软件会在 “My Documents”文件夹里面创建数据 而不是在“我的文档” 文件夹里面创建。因为有中文和英文的区别，如果是“我的文档” 文件夹很可能就会出现错误。所以大家以后最好还是用“My Documents” 文件夹来命名！\r\n"
    "    ";

constexpr const char* kHoverHint = "鼠\r\n标\r\n停\r\n在\r\n按\r\n钮\r\n上\r\n看\r\n说\r\n明\r\n";

using K = ControlKind;

// clang-format off
const ControlForm kMainControls[] = {
  // name, kind, parent, page, x, y, width, height, text, font, flags, text colour, back colour, image, cursor, timer
  {"选择夹1", K::TabControl, nullptr, kWindow, 2, 1, 439, 408, "", nullptr, 0, kSystemColour, kSystemColour, 0, IDC_TAB_CURSOR, 0, kPages, 4},

  // 系统优化
  {"选择列表框1", K::CheckList, kTab, 0, 1, 32, 440, 336, ""},
  {"按钮2", K::Button, kTab, 0, 24, 371, 96, 32, "全选"},
  {"按钮3", K::Button, kTab, 0, 161, 371, 96, 32, "取消"},
  {"按钮1", K::Button, kTab, 0, 293, 371, 132, 32, "开 始 优 化"},

  // 转移备份
  {"分组框1", K::GroupBox, kTab, 1, 6, 31, 424, 216, ""},
  {"选择框_文档", K::CheckBox, kGroup1, -1, 12, 16, 80, 24, "我的文档"},
  {"选择框_收藏夹", K::CheckBox, kGroup1, -1, 12, 48, 80, 24, "收藏夹"},
  {"选择框_Cookies", K::CheckBox, kGroup1, -1, 12, 80, 80, 24, "Cookies"},
  {"选择框_桌面", K::CheckBox, kGroup1, -1, 12, 112, 80, 24, "桌面文件"},
  {"标签1", K::Label, kGroup1, -1, 96, 16, 315, 24, "标签"},
  {"标签2", K::Label, kGroup1, -1, 96, 48, 315, 24, "标签"},
  {"标签3", K::Label, kGroup1, -1, 96, 80, 315, 24, "标签"},
  {"标签4", K::Label, kGroup1, -1, 96, 111, 315, 24, "标签"},
  {"按钮4", K::Button, kGroup1, -1, 11, 144, 72, 24, "设置路径"},
  {"标签5", K::Label, kGroup1, -1, 95, 144, 315, 24, "请单击“设置路径”改变你的选择"},
  {"按钮6", K::Button, kGroup1, -1, 10, 175, 200, 32, "在D盘创建 My Documents 文件夹"},
  {"按钮5", K::Button, kGroup1, -1, 232, 175, 72, 32, "一键转移"},
  {"按钮7", K::Button, kGroup1, -1, 328, 175, 82, 32, "恢复默认值"},
  {"编辑框1", K::MultiLineEdit, kTab, 1, 6, 255, 424, 144, kRelocationNote, nullptr, kDisabled | kSunkenBorder, 0x0000FF, 0xFFFFFF},

  // 系统杂项
  {"气球提示框1", K::BalloonTip, kTab, 2, 22, 111, 26, 26, ""},
  {"分组框2", K::GroupBox, kTab, 2, 14, 25, 408, 110, ""},
  {"标签11", K::Label, kGroup2, -1, 146, -3, 83, 20, "用户自动登录", &kSong13},
  {"标签9", K::Label, kGroup2, -1, 24, 26, 48, 16, "用户名："},
  {"编辑框2", K::Edit, kGroup2, -1, 74, 24, 184, 24, "", nullptr, kSunkenBorder},
  {"标签10", K::Label, kGroup2, -1, 22, 70, 48, 16, "密  码："},
  {"编辑框3", K::Edit, kGroup2, -1, 74, 68, 184, 24, "", nullptr, kSunkenBorder},
  {"按钮8", K::Button, kGroup2, -1, 269, 24, 80, 24, "设置自动登录"},
  {"按钮9", K::Button, kGroup2, -1, 270, 68, 80, 24, "取消自动登录"},
  {"按钮10", K::Button, kGroup2, -1, 369, 24, 25, 69, "手动设置", &kSong14, 0, kSystemColour, kSystemColour, 0, IDC_BUTTON10_CURSOR},
  {"分组框3", K::GroupBox, kTab, 2, 14, 135, 408, 264, ""},
  {"按钮11", K::IconButton, kGroup3, -1, 16, 16, 160, 40, "显示后缀名加隐藏", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON11},
  {"按钮12", K::IconButton, kGroup3, -1, 225, 16, 160, 40, "系统垃圾清理", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON12},
  {"按钮13", K::IconButton, kGroup3, -1, 16, 81, 160, 40, "功能强大的软件卸载", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON13},
  {"按钮14", K::IconButton, kGroup3, -1, 225, 81, 160, 40, "输入法管理器", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON14},
  {"按钮15", K::IconButton, kGroup3, -1, 16, 146, 160, 40, "本地管理员检查工具", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON15},
  {"按钮16", K::IconButton, kGroup3, -1, 225, 146, 160, 40, "WMP无法最小化", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON16},
  {"按钮17", K::IconButton, kGroup3, -1, 16, 213, 160, 40, "FAT32格式转换NTFS", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON17},
  {"按钮18", K::IconButton, kGroup3, -1, 225, 212, 160, 40, "高效磁盘整理", nullptr, 0, kSystemColour, kSystemColour, IDI_BUTTON18},
  {"透明标签1", K::TransparentLabel, kGroup3, -1, 181, 15, 40, 249, kHoverHint, &kSong24},

  // 关于
  {"图片框1", K::Picture, kTab, 3, -1, 20, 441, 392, "", nullptr, 0, kSystemColour, kSystemColour, IDB_ABOUT},

  // Status strip
  {"标签6", K::Label, nullptr, kWindow, 8, 418, 184, 16, "本地时间"},
  {"编辑框4", K::Edit, nullptr, kWindow, 8, 432, 312, 24, "", nullptr, kDisabled | kNoBorder | kNoTabStop},
  {"标签8", K::Label, nullptr, kWindow, 306, 417, 48, 16, "外网IP："},
  {"标签7", K::Label, nullptr, kWindow, 354, 417, 90, 16, "IP:0.0.0.0"},
  {"标签12", K::Label, nullptr, kWindow, 353, 436, 84, 16, "访问作者主页", nullptr, 0, kSystemColour, kSystemColour, 0, IDC_CREDIT_CURSOR},
  {"时钟1", K::Timer, nullptr, kWindow, 41, 410, 0, 0, "", nullptr, 0, kSystemColour, kSystemColour, 0, 0, 0},
  {"时钟2", K::Timer, nullptr, kWindow, 128, 408, 0, 0, "", nullptr, 0, kSystemColour, kSystemColour, 0, 0, 1000},
};

const ControlForm kCleanupControls[] = {
  {"系统清理1", K::CheckBox, nullptr, kWindow, 8, 8, 96, 24, "系统临时文件"},
  {"系统清理2", K::CheckBox, nullptr, kWindow, 8, 31, 96, 24, "浏览器缓存"},
  {"系统清理3", K::CheckBox, nullptr, kWindow, 8, 54, 96, 24, "COOKIES"},
  {"系统清理4", K::CheckBox, nullptr, kWindow, 8, 77, 96, 24, "历史记录"},
  {"系统清理5", K::CheckBox, nullptr, kWindow, 8, 100, 96, 24, "最近打开文档"},
  {"系统清理6", K::CheckBox, nullptr, kWindow, 8, 121, 96, 24, "回收站"},
  {"系统清理标签1", K::Label, nullptr, kWindow, 111, 14, 81, 13, ""},
  {"系统清理标签2", K::Label, nullptr, kWindow, 111, 37, 81, 13, ""},
  {"系统清理标签3", K::Label, nullptr, kWindow, 111, 59, 81, 13, ""},
  {"系统清理标签4", K::Label, nullptr, kWindow, 111, 81, 81, 13, ""},
  {"系统清理标签5", K::Label, nullptr, kWindow, 111, 103, 81, 13, ""},
  {"标签1", K::Label, nullptr, kWindow, 67, 126, 127, 13, "先打钩分析在点清理"},
  {"系统清理分析", K::Button, nullptr, kWindow, 8, 148, 72, 32, "分析"},
  {"系统清理", K::Button, nullptr, kWindow, 104, 148, 72, 32, "清理"},
};
// clang-format on

const WindowForm kMainForm{FormId::Main, "PrepKit 系统封装辅助工具", 447, 483, true, 0,
                           kMainControls, static_cast<int>(sizeof kMainControls / sizeof kMainControls[0])};
const WindowForm kCleanupForm{FormId::Cleanup, "垃圾清理释放磁盘空间", 192, 214, false, IDI_CLEANUP_WINDOW,
                              kCleanupControls, static_cast<int>(sizeof kCleanupControls / sizeof kCleanupControls[0])};
}  // namespace

const WindowForm& FormOf(FormId id) { return id == FormId::Main ? kMainForm : kCleanupForm; }

int ControlIndex(const WindowForm& form, const char* name) {
  if (!name) return -1;
  for (int i = 0; i < form.controlCount; ++i)
    if (std::strcmp(form.controls[i].name, name) == 0) return i;
  return -1;
}
