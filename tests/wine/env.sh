# The Wine environment every test uses; sourced by ./dev and the test runner.
#
# The product is a 32-bit program and runs in a 32-bit prefix. Some hosts run a
# kernel without IA32 emulation, where no 32-bit code (32-bit Wine included) can
# execute; there the Windows tests are built for x86_64 and run under wine64 in
# a 64-bit prefix instead (PREPKIT_WINE_BITS=64).
PREPKIT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

prepkit_host_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

if [ -z "${PREPKIT_WINE_BITS:-}" ]; then
  if prepkit_host_runs_32bit; then PREPKIT_WINE_BITS=32; else PREPKIT_WINE_BITS=64; fi
fi
export PREPKIT_WINE_BITS
if [ "$PREPKIT_WINE_BITS" = 32 ]; then
  export WINEARCH=win32
  PREPKIT_WINE=/usr/lib/wine/wine
  PREPKIT_TEST_BUILD="$PREPKIT_ROOT/build/win32"
else
  export WINEARCH=win64
  PREPKIT_WINE=/usr/lib/wine/wine64
  PREPKIT_TEST_BUILD="$PREPKIT_ROOT/build/win64"
fi
export WINELOADER="$PREPKIT_WINE"
export PREPKIT_WINE PREPKIT_TEST_BUILD
export WINEPREFIX="${PREPKIT_WINEPREFIX:-$PREPKIT_ROOT/build/wine/prefix$PREPKIT_WINE_BITS}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
# A new prefix links the user's Desktop, Documents and other shell folders to the
# host's home folder: give Wine a home of its own under build/, so that tests which
# copy, move or delete the user's folders can never reach the real one.
export HOME="$PREPKIT_ROOT/build/wine/home"
mkdir -p "$HOME"
# Wine's recycle bin is the XDG trash: keep it away from the real user's.
export XDG_DATA_HOME="$PREPKIT_ROOT/build/wine/xdg-data"
# ANSI code page 936.
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
