#include <doctest/doctest.h>
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "app/icon_button.h"
#include "app/ux_theme.h"
#include "tests/unit/windows/status_test_support.h"

namespace {

constexpr COLORREF kViolet = 0xFF0090;
constexpr COLORREF kGreen = RGB(0, 0xFF, 0);
constexpr int kHostX = 100, kHostY = 100;

struct HostLog {
  int clicks = 0;
  IconDrawState lookDuringClick = IconDrawState::Normal;
  int drawItems = 0;
};
HostLog hostLog;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_COMMAND && HIWORD(w) == BN_CLICKED && LOWORD(w) == 11) {
    ++hostLog.clicks;
    hostLog.lookDuringClick = GetDrawState(reinterpret_cast<HWND>(l));
  }
  if (message == WM_DRAWITEM) {
    ++hostLog.drawItems;
    return 7;
  }
  return DefWindowProcA(window, message, w, l);
}

// A window of another class that answers BM_GETIMAGE with an icon like a button would.
HICON lookalikeIcon = nullptr;
LRESULT CALLBACK LookalikeProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == BM_GETIMAGE) return reinterpret_cast<LRESULT>(lookalikeIcon);
  return DefWindowProcA(window, message, w, l);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA host = {};
  host.lpfnWndProc = HostProc;
  host.hInstance = GetModuleHandleA(nullptr);
  host.hCursor = LoadCursor(nullptr, IDC_ARROW);
  host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  host.lpszClassName = "IconButtonTestHost";
  RegisterClassA(&host);
  WNDCLASSA lookalike = host;
  lookalike.lpfnWndProc = LookalikeProc;
  lookalike.lpszClassName = "Buttons";
  RegisterClassA(&lookalike);
}

// user32's button keeps an icon (BM_SETIMAGE) only with BS_ICON.
HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           HICON icon = nullptr) {
  HWND child = CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style | (icon ? BS_ICON : 0), x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (icon) SendMessageA(child, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  return child;
}

// A host window at a known place on the screen with icon buttons, a group box
// holding another one, and the kinds of windows that must stay untouched.
struct Host {
  HICON icon32 = MakeSolidIcon(kGreen, 32);
  HICON icon24 = MakeSolidIcon(kGreen, 24);
  HWND window, iconButton, disabledIconButton, group, groupedIconButton, textButton, checkBox, radio, lookalike;

  Host() {
    RegisterClasses();
    lookalikeIcon = icon24;
    hostLog = HostLog();
    window = CreateWindowExA(0, "IconButtonTestHost", "host", WS_POPUP | WS_VISIBLE, kHostX, kHostY, 420, 300,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    iconButton = Child(window, "Button", "Tool", BS_PUSHBUTTON, 10, 10, 160, 40, 11, icon32);
    disabledIconButton = Child(window, "Button", "Off", BS_PUSHBUTTON | WS_DISABLED, 10, 60, 160, 40, 12, icon24);
    group = Child(window, "Button", "", BS_GROUPBOX, 200, 10, 200, 120, 30);
    groupedIconButton = Child(group, "Button", "Inner", BS_DEFPUSHBUTTON, 10, 20, 160, 40, 13, icon24);
    textButton = Child(window, "Button", "Plain", BS_PUSHBUTTON, 10, 110, 160, 30, 20);
    checkBox = Child(window, "Button", "Check", BS_AUTOCHECKBOX, 10, 150, 160, 24, 21);
    radio = Child(window, "Button", "Radio", BS_AUTORADIOBUTTON, 10, 180, 160, 24, 22);
    lookalike = Child(window, "Buttons", "Like", 0, 200, 150, 160, 40, 23);
    Pump(50);
  }
  ~Host() {
    DestroyWindow(window);
    DestroyIcon(icon32);
    DestroyIcon(icon24);
    Pump(20);
  }
};

bool Installed(HWND w) { return GetPropA(w, icon_button::kProcProperty) != nullptr; }
COLORREF Colour(HWND w, const char* name) {
  return static_cast<COLORREF>(reinterpret_cast<ULONG_PTR>(GetPropA(w, name)));
}
LONG_PTR Style(HWND w) { return GetWindowLongPtrA(w, GWL_STYLE); }

void PaintInto(HWND button, Picture& picture) {
  picture.Fill(RGB(1, 2, 3));
  PaintIconButton(button, picture.Dc());
}

Box Shifted(Box b, int d) { return Box{b.left + d, b.top + d, b.right + d, b.bottom + d}; }
bool SameBox(Box a, Box b) { return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom; }

}  // namespace

TEST_CASE("AttachIconButtons installs exactly the buttons that carry an icon, and subclasses each parent once") {
  Host host;
  HWND untouched[] = {host.group, host.textButton, host.checkBox, host.radio, host.lookalike};
  LONG_PTR stylesBefore[5];
  for (int i = 0; i < 5; ++i) stylesBefore[i] = Style(untouched[i]);
  const LONG_PTR groupClassProc = GetWindowLongPtrA(host.group, GWLP_WNDPROC);

  AttachIconButtons(host.window);

  HWND installed[] = {host.iconButton, host.disabledIconButton, host.groupedIconButton};
  for (HWND button : installed) {
    CAPTURE(GetDlgCtrlID(button));
    CHECK(Installed(button));
    CHECK((Style(button) & BS_TYPEMASK) == BS_OWNERDRAW);
    CHECK(GetWindowLongPtrA(button, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&IconButtonProc));
    CHECK(Colour(button, icon_button::kTextColour1Property) == 0xFFFFFFFF);
    CHECK(Colour(button, icon_button::kTextColour2Property) == 0xFFFFFFFF);
  }
  CHECK(GetDrawState(host.iconButton) == IconDrawState::Normal);
  CHECK(GetPropA(host.iconButton, icon_button::kDrawStateProperty) == nullptr);
  CHECK(GetDrawState(host.disabledIconButton) == IconDrawState::Disabled);
  for (int i = 0; i < 5; ++i) {
    CAPTURE(i);
    CHECK_FALSE(Installed(untouched[i]));
    CHECK(Style(untouched[i]) == stylesBefore[i]);
  }

  // Both parents (the window and the group box) are subclassed, and remember what they had.
  CHECK(reinterpret_cast<LONG_PTR>(GetPropA(host.window, icon_button::kParentProcProperty)) ==
        reinterpret_cast<LONG_PTR>(&HostProc));
  CHECK(reinterpret_cast<LONG_PTR>(GetPropA(host.group, icon_button::kParentProcProperty)) == groupClassProc);
  CHECK(GetWindowLongPtrA(host.window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&IconButtonParentProc));

  // A second pass changes nothing: no procedure is chained onto itself, a click arrives once.
  HANDLE buttonPrevious = GetPropA(host.iconButton, icon_button::kProcProperty);
  AttachIconButtons(host.window);
  InstallIconButton(host.iconButton);
  CHECK(GetPropA(host.iconButton, icon_button::kProcProperty) == buttonPrevious);
  CHECK(reinterpret_cast<LONG_PTR>(GetPropA(host.window, icon_button::kParentProcProperty)) ==
        reinterpret_cast<LONG_PTR>(&HostProc));
  SendMessageA(host.iconButton, BM_CLICK, 0, 0);
  Pump(20);
  CHECK(hostLog.clicks == 1);
}

TEST_CASE("SetIconButtonColours installs any button of the tree and sets its two colours") {
  Host host;
  SetIconButtonColours(host.textButton, kViolet, 0x123456, false);
  CHECK(Installed(host.textButton));
  CHECK(Colour(host.textButton, icon_button::kTextColour1Property) == kViolet);
  CHECK(Colour(host.textButton, icon_button::kTextColour2Property) == 0xFFFFFFFF);

  SetIconButtonColours(host.group, kViolet, 0x00CC00, true);  // walks into the group box
  CHECK(Colour(host.groupedIconButton, icon_button::kTextColour1Property) == kViolet);
  CHECK(Colour(host.groupedIconButton, icon_button::kTextColour2Property) == 0x00CC00);

  // Installing again later keeps the colours.
  AttachIconButtons(host.window);
  CHECK(Colour(host.groupedIconButton, icon_button::kTextColour1Property) == kViolet);
  CHECK_FALSE(Installed(host.lookalike));
}

TEST_CASE("the face reaches the screen through WM_PAINT and through the parent's WM_DRAWITEM") {
  Host host;
  AttachIconButtons(host.window);
  SetIconButtonColours(host.iconButton, kViolet, 0, false);
  InvalidateRect(host.iconButton, nullptr, FALSE);
  UpdateWindow(host.iconButton);
  Pump(50);
  {
    Picture screen(160, 40);
    HDC dc = GetDC(host.iconButton);
    BitBlt(screen.Dc(), 0, 0, 160, 40, dc, 0, 0, SRCCOPY);
    ReleaseDC(host.iconButton, dc);
    CHECK(screen.Count(kViolet) > 0);
    CHECK(screen.Count(kGreen) == 16 * 16);
  }

  Picture item(160, 40);
  item.Fill(RGB(1, 2, 3));
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = host.iconButton;
  draw.hDC = item.Dc();
  draw.rcItem = RECT{0, 0, 160, 40};
  hostLog.drawItems = 0;
  CHECK(SendMessageA(host.window, WM_DRAWITEM, 11, reinterpret_cast<LPARAM>(&draw)) == TRUE);
  CHECK(hostLog.drawItems == 0);
  CHECK(item.Count(kViolet) > 0);

  // A draw request for a control that is not an icon button goes on to the window's own procedure.
  draw.hwndItem = host.textButton;
  CHECK(SendMessageA(host.window, WM_DRAWITEM, 20, reinterpret_cast<LPARAM>(&draw)) == 7);
  CHECK(hostLog.drawItems == 1);
}

TEST_CASE("pressed shifts icon and caption one pixel; disabled greys them; enabling brings the colour back") {
  Host host;
  AttachIconButtons(host.window);
  SetIconButtonColours(host.iconButton, kViolet, 0, false);
  Picture picture(160, 40);

  PaintInto(host.iconButton, picture);
  const Box icon = picture.BoxOf(kGreen), caption = picture.BoxOf(kViolet);
  REQUIRE_FALSE(caption.Empty());
  CHECK(icon.right - icon.left == 15);
  CHECK(icon.bottom - icon.top == 15);

  SetDrawState(host.iconButton, IconDrawState::Hot);
  PaintInto(host.iconButton, picture);
  CHECK(SameBox(picture.BoxOf(kGreen), icon));
  CHECK(SameBox(picture.BoxOf(kViolet), caption));

  SetDrawState(host.iconButton, IconDrawState::Pressed);
  PaintInto(host.iconButton, picture);
  CHECK(SameBox(picture.BoxOf(kGreen), Shifted(icon, 1)));
  CHECK(SameBox(picture.BoxOf(kViolet), Shifted(caption, 1)));

  EnableWindow(host.iconButton, FALSE);
  CHECK(GetDrawState(host.iconButton) == IconDrawState::Disabled);
  PaintInto(host.iconButton, picture);
  CHECK(picture.Count(kGreen) == 0);
  CHECK(picture.Count(kViolet) == 0);

  EnableWindow(host.iconButton, TRUE);
  CHECK(GetDrawState(host.iconButton) == IconDrawState::Normal);
  PaintInto(host.iconButton, picture);
  CHECK(SameBox(picture.BoxOf(kViolet), caption));
  CHECK(SameBox(picture.BoxOf(kGreen), icon));

  // A second colour, when given, is used for the disabled caption.
  const COLORREF disabledColour = RGB(0, 0x80, 0x40);
  SetIconButtonColours(host.iconButton, kViolet, disabledColour, true);
  EnableWindow(host.iconButton, FALSE);
  PaintInto(host.iconButton, picture);
  CHECK(picture.Count(disabledColour) > 0);

  // A button disabled before it was installed starts greyed.
  PaintInto(host.disabledIconButton, picture);
  CHECK(picture.Count(kGreen) == 0);
}

TEST_CASE("icon and caption are centred as one block with a 5-pixel gap, halves cut toward zero") {
  Host host;
  AttachIconButtons(host.window);
  SetWindowTextA(host.iconButton, "");
  struct Case {
    int w, h, iconLeft, iconTop;
  } cases[] = {
      {160, 40, 69, 12},  // (160 - 21) / 2 = 69.5
      {161, 41, 70, 12},
      {21, 16, 0, 0},
      {14, 10, -3, -3},  // a negative half goes toward zero: -3.5 gives -3, not -4
  };
  for (const Case& c : cases) {
    CAPTURE(c.w);
    SetWindowPos(host.iconButton, nullptr, 0, 0, c.w, c.h, SWP_NOMOVE | SWP_NOZORDER);
    Picture picture(c.w, c.h);
    PaintInto(host.iconButton, picture);
    Box icon = picture.BoxOf(kGreen);
    CHECK(icon.left == (c.iconLeft > 0 ? c.iconLeft : 0));
    CHECK(icon.top == (c.iconTop > 0 ? c.iconTop : 0));
    CHECK(icon.right == (c.iconLeft + 15 < c.w ? c.iconLeft + 15 : c.w - 1));
    CHECK(icon.bottom == (c.iconTop + 15 < c.h ? c.iconTop + 15 : c.h - 1));
  }

  SetWindowPos(host.iconButton, nullptr, 0, 0, 160, 40, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextA(host.iconButton, "Tool");
  SetIconButtonColours(host.iconButton, kViolet, 0, false);
  Picture picture(160, 40);
  PaintInto(host.iconButton, picture);
  Box icon = picture.BoxOf(kGreen), caption = picture.BoxOf(kViolet);
  CHECK(caption.left >= icon.right + 1 + 5);
  CHECK(caption.left <= icon.right + 1 + 5 + 4);  // side bearing and edge smoothing of the first glyph
  const int leftMargin = icon.left, rightMargin = 159 - caption.right;
  CHECK(leftMargin - rightMargin <= 4);
  CHECK(rightMargin - leftMargin <= 4);
}

TEST_CASE("an ampersand in the caption is not shown and underlines the next letter") {
  Host host;
  AttachIconButtons(host.window);
  SetIconButtonColours(host.iconButton, kViolet, 0, false);
  Picture plain(160, 40), prefixed(160, 40);
  SetWindowTextA(host.iconButton, "W");
  PaintInto(host.iconButton, plain);
  SetWindowTextA(host.iconButton, "&W");
  PaintInto(host.iconButton, prefixed);

  const Box letter = plain.BoxOf(kViolet);
  int extra = 0, extraAbove = 0, missing = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 160; ++x) {
      bool a = plain.At(x, y) == kViolet, b = prefixed.At(x, y) == kViolet;
      if (b && !a) ++extra, extraAbove += y <= letter.bottom - 1;
      if (a && !b) ++missing;
    }
  CHECK(missing == 0);      // the same letter in the same place: the "&" takes no room
  CHECK(extra >= 3);        // a line under it
  CHECK(extraAbove == 0);
}

TEST_CASE("with theming off the classic push-button frame is drawn, with the frame flags of each look") {
  Host host;
  SetWindowTextA(host.textButton, "");
  SetIconButtonColours(host.textButton, kViolet, 0, false);
  struct Case {
    IconDrawState look;
    int themeState;
    UINT classicFlags;
  } cases[] = {
      {IconDrawState::Normal, PBS_NORMAL, 0},
      {IconDrawState::Hot, PBS_HOT, DFCS_HOT},
      {IconDrawState::Pressed, PBS_PRESSED, DFCS_PUSHED},
      {IconDrawState::Disabled, PBS_DISABLED, DFCS_INACTIVE},
  };
  RECT client;
  GetClientRect(host.textButton, &client);
  const int w = client.right, h = client.bottom;

  HTHEME theme = OpenThemeData(host.textButton, L"BUTTON");
  if (!theme) MESSAGE("no visual theme here: only the classic path is checked");
  Picture themedNormal(w, h);
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.look));
    SetDrawState(host.textButton, c.look);
    if (theme) {
      Picture painted(w, h), expected(w, h);
      PaintInto(host.textButton, painted);
      expected.Fill(GetSysColor(COLOR_BTNFACE));
      DrawThemeBackground(theme, expected.Dc(), BP_PUSHBUTTON, c.themeState, &client, nullptr);
      CHECK(painted.SameAs(expected));
      if (c.look == IconDrawState::Normal) PaintInto(host.textButton, themedNormal);
    }
  }
  if (theme) CloseThemeData(theme);

  // Switching theming off for the window makes the theme call fail, as with themes off.
  REQUIRE(SwitchOffWindowTheme(host.textButton));
  CHECK(OpenThemeData(host.textButton, L"BUTTON") == nullptr);
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.look));
    SetDrawState(host.textButton, c.look);
    Picture painted(w, h), expected(w, h);
    PaintInto(host.textButton, painted);
    expected.Fill(GetSysColor(COLOR_BTNFACE));
    RECT frame = client;
    DrawFrameControl(expected.Dc(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | c.classicFlags);
    CHECK(painted.SameAs(expected));
    if (theme && c.look == IconDrawState::Normal) CHECK_FALSE(painted.SameAs(themedNormal));
  }
}

TEST_CASE("the pointer drives the look: hot on resting, pressed while held, hot after the click, normal on leaving") {
  Host host;
  AttachIconButtons(host.window);
  HWND button = host.iconButton;
  const int insideX = kHostX + 90, insideY = kHostY + 30;  // middle of the button
  const int outsideX = kHostX + 410, outsideY = kHostY + 290;
  auto lookIs = [&](IconDrawState s) { return [=] { return GetDrawState(button) == s; }; };

  REQUIRE(MovePointer(outsideX, outsideY));
  Pump(100);
  CHECK(GetDrawState(button) == IconDrawState::Normal);

  REQUIRE(MovePointer(insideX, insideY));
  CHECK(PumpUntil(lookIs(IconDrawState::Hot), 3000));

  // Moves inside the button do not re-arm the hover.
  SetDrawState(button, IconDrawState::Normal);
  MovePointer(insideX + 5, insideY + 2);
  Pump(300);
  CHECK(GetDrawState(button) == IconDrawState::Normal);

  MovePointer(outsideX, outsideY);
  CHECK(PumpUntil(lookIs(IconDrawState::Normal), 3000));

  MovePointer(insideX, insideY);
  REQUIRE(PumpUntil(lookIs(IconDrawState::Hot), 3000));
  Xdotool("mousedown 1");
  CHECK(PumpUntil(lookIs(IconDrawState::Pressed), 3000));
  Xdotool("mouseup 1");
  CHECK(PumpUntil(lookIs(IconDrawState::Hot), 3000));
  CHECK(hostLog.clicks == 1);
  CHECK(hostLog.lookDuringClick == IconDrawState::Pressed);  // the click ran before the look turned hot

  // A release that did not follow a press on the button leaves it normal (X drops a
  // second release of a button that is up, so this one is sent).
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CHECK(GetDrawState(button) == IconDrawState::Normal);
  CHECK(hostLog.clicks == 1);

  MovePointer(outsideX, outsideY);
  CHECK(PumpUntil(lookIs(IconDrawState::Normal), 3000));
}
