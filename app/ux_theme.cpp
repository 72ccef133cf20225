#include "app/ux_theme.h"

namespace {

using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

struct UxTheme {
  OpenThemeDataFn open = nullptr;
  CloseThemeDataFn close = nullptr;
  DrawThemeBackgroundFn draw = nullptr;
  SetWindowThemeFn setWindowTheme = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Loaded once on first use and kept for the run (user-interface thread only).
const UxTheme& Library() {
  static UxTheme theme;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    HMODULE module = LoadLibraryA("uxtheme.dll");
    theme.open = Lookup<OpenThemeDataFn>(module, "OpenThemeData");
    theme.close = Lookup<CloseThemeDataFn>(module, "CloseThemeData");
    theme.draw = Lookup<DrawThemeBackgroundFn>(module, "DrawThemeBackground");
    theme.setWindowTheme = Lookup<SetWindowThemeFn>(module, "SetWindowTheme");
    if (!theme.open || !theme.close || !theme.draw) theme.open = nullptr;
  }
  return theme;
}

}  // namespace

ThemeHandle OpenButtonTheme(HWND window) {
  const UxTheme& ux = Library();
  return ux.open ? ux.open(window, L"BUTTON") : nullptr;
}

bool DrawThemedBackground(ThemeHandle theme, HDC dc, int part, int state, const RECT& rect) {
  const UxTheme& ux = Library();
  return theme && ux.draw && SUCCEEDED(ux.draw(theme, dc, part, state, &rect, nullptr));
}

void CloseTheme(ThemeHandle theme) {
  const UxTheme& ux = Library();
  if (theme && ux.close) ux.close(theme);
}

bool SwitchOffWindowTheme(HWND window) {
  const UxTheme& ux = Library();
  return ux.setWindowTheme && SUCCEEDED(ux.setWindowTheme(window, L" ", L" "));
}
