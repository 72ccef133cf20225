#!/usr/bin/env bash
# Screenshots of the four pages of the main window and of the cleanup window.
#   shots.sh OUTPUT_FOLDER      (DISPLAY set to an X server of our own, Wine env sourced)
# Without a window manager the X window of a Wine window is its client area, so
# client coordinates map to the screen by the window's position alone.
set -euo pipefail
out="$1"
mkdir -p "$out"
"$PREPKIT_WINE" "$PREPKIT_TEST_BUILD/PrepKit.exe" >/dev/null 2>&1 &
program=$!

wait_window() {  # NAME-PATTERN -> X window id
  local id="" tries=0
  while [ -z "$id" ]; do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    tries=$((tries + 1)); [ $tries -gt 300 ] && { echo "shot: no window '$1'" >&2; return 1; }
    [ -n "$id" ] || sleep 0.1
  done
  echo "$id"
}
snap() {  # X-WINDOW FILE
  local x y w h
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x=$X y=$Y w=$WIDTH h=$HEIGHT
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}
click_client() {  # X-WINDOW CX CY
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

main="$(wait_window 'PrepKit')"
sleep 1
# The first page header (选择夹1 sits at 2,1), then the arrow keys move the page.
click_client "$main" 30 11
sleep 0.5
pages=(1-optimise 2-relocate 3-misc 4-about)
for i in 0 1 2 3; do
  [ $i -gt 0 ] && { xdotool key Right; sleep 0.7; }
  snap "$main" "$out/main-${pages[$i]}.png"
done
# 按钮12 on page 3: 选择夹1 (2,1) + 分组框3 (14,135) + the button (225,16) + half its size.
xdotool key Left; sleep 0.7
click_client "$main" $((2 + 14 + 225 + 80)) $((1 + 135 + 16 + 20))
cleanup="$(wait_window '垃圾清理')"
sleep 0.7
snap "$cleanup" "$out/cleanup.png"
kill "$program" 2>/dev/null || true
wineserver -k 2>/dev/null || true
ls "$out"/*.png
