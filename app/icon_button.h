// Owner-drawn icon buttons: push buttons that carry an icon (BM_SETIMAGE,
// IMAGE_ICON) are subclassed and painted by the program, in one off-screen pass,
// as a themed (or classic) face with icon and caption centred side by side in a
// text colour of their own. They follow the pointer: hot when it rests on them,
// pressed while the left button is held. Clicks still reach the button.
//
// All state lives in window properties (names below), never removed: on the
// button its previous procedure, two colours and its draw state; on its parent
// the parent's previous procedure (a parent is subclassed once).
#pragma once
#include <windows.h>

namespace icon_button {
constexpr char kProcProperty[] = "ButtonIcon_Proc";
constexpr char kTextColour1Property[] = "ButtonIcon_TextColor1";
constexpr char kTextColour2Property[] = "ButtonIcon_TextColor2";
constexpr char kDrawStateProperty[] = "Vireo_DrawState";
constexpr char kParentProcProperty[] = "ButtonIcon_ParentProc";
// "No colour given": the system's button text, or its embossed disabled text.
constexpr COLORREF kSystemColour = 0xFFFFFFFF;
}  // namespace icon_button

// The look a button is drawn in (DrawState is taken by a Windows macro).
enum class IconDrawState : int { Normal = 0, Defaulted = 1, Hot = 2, Pressed = 3, Disabled = 4 };

// Installs every button in the tree rooted at `window` (itself included, depth
// first) whose class name is exactly "Button" and that holds an icon.
void AttachIconButtons(HWND window);

// Installs every "Button" in the tree rooted at `window` (icon or not) and sets
// its colours: colour1 for the normal, hot and pressed looks, colour2 for the
// disabled look when colour2Given (otherwise the system's embossed text).
void SetIconButtonColours(HWND window, COLORREF colour1, COLORREF colour2, bool colour2Given);

// Subclasses the button (once) and its parent (once per parent).
void InstallIconButton(HWND button);

// Stores the look and requests a repaint without erasing.
void SetDrawState(HWND button, IconDrawState state);
IconDrawState GetDrawState(HWND button);

// Paints the whole face into `dc`, or into the button's own DC when dc is null.
void PaintIconButton(HWND button, HDC dc);

// The caption font of buttons without a font of their own (null: the memory
// DC's default font). Set once at start-up; the caller keeps it alive.
void SetIconButtonFont(HFONT font);

LRESULT CALLBACK IconButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IconButtonParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
