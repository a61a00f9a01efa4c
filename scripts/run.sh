#!/usr/bin/env bash
# Builds the launcher and starts it under Wine, from build/run/.
# With $DISPLAY set it opens there and this script returns when the launcher is closed.
# Without one it runs on a private Xvfb: waits for the window, writes a screenshot,
# prints its path and stops everything it started. LV_HEADLESS=1 takes the private
# Xvfb even when $DISPLAY is set.
# On the first start the launcher writes its default menu file valikko.oma beside
# itself and opens it in Notepad.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$root/scripts/wine-env.sh"

title='ver:3\.12\.2023'
rundir=$LV_BUILD/run
shot=$rundir/screenshot.png

bash scripts/deps.sh || exit 1
LV_BUILD_TARGET=lumora-valikko bash scripts/build.sh win || exit 1
mkdir -p "$rundir"
cp "$LV_BUILD/win/app/lumora-valikko.exe" "$rundir/" || exit 1
lv_wine_env || exit 1

if [ -n "${DISPLAY:-}" ] && [ "${LV_HEADLESS:-0}" != 1 ]; then
  lv_wine_prefix || exit 1
  # A window manager is there: ordinary windows, no virtual desktop.
  lv_wine_desktop off || exit 1
  lv_wine_set_dpi "${LV_DPI:-96}" || exit 1
  lv_log "starting $rundir/lumora-valikko.exe on DISPLAY=$DISPLAY"
  cd "$rundir" && exec wine ./lumora-valikko.exe
fi

trap lv_cleanup EXIT
trap 'exit 130' INT TERM HUP
lv_xvfb_start || exit 1
lv_wine_prefix || exit 1
lv_wine_desktop on || exit 1
lv_wine_set_dpi "${LV_DPI:-96}" || exit 1
lv_log "starting $rundir/lumora-valikko.exe on a private Xvfb (DISPLAY=$DISPLAY)"
lv_start "$rundir" ./lumora-valikko.exe
if ! rect=$(lv_wait_window "$title" 60); then
  lv_log "the launcher's window did not appear within 60 s"
  lv_screenshot "$shot"
  lv_log "screen so far: $shot"
  exit 1
fi
lv_log "window at $rect (left top width height)"
# Let it paint, and Notepad open on the first start; Notepad then lies over the
# launcher, so bring the launcher up for the picture.
sleep 2
lv_raise_window "$title"
sleep 0.3
lv_screenshot "$shot" || exit 1
echo "$shot"
