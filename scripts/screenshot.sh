#!/usr/bin/env bash
# Takes the README's picture of the launcher with its default menu: docs/screenshot.png
# (or the file named as the first argument). Runs on a private Xvfb, at 96 DPI.
# The first start writes the default menu file and opens Notepad on it; the picture
# is taken on a second start, with the file in place, so that the window stands alone.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/docs/screenshot.png}
case $out in /*) ;; *) out=$PWD/$out ;; esac
cd "$root" || exit 1
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$root/scripts/wine-env.sh"

title='ver:3\.12\.2023'
dir=$LV_BUILD/screenshot

bash scripts/deps.sh || exit 1
LV_BUILD_TARGET=lumora-valikko bash scripts/build.sh win || exit 1
rm -rf "$dir"
mkdir -p "$dir" "$(dirname "$out")"
cp "$LV_BUILD/win/app/lumora-valikko.exe" "$dir/" || exit 1

trap lv_cleanup EXIT
trap 'exit 130' INT TERM HUP
lv_wine_env || exit 1
lv_xvfb_start || exit 1
lv_wine_prefix || exit 1
lv_wine_desktop on || exit 1
lv_wine_set_dpi 96 || exit 1

lv_start "$dir" ./lumora-valikko.exe
lv_wait_window "$title" 60 >/dev/null || { lv_log "no window on the first start"; exit 1; }
for ((i = 0; i < 100; i++)); do
  [ -f "$dir/valikko.oma" ] && break
  sleep 0.1
done
[ -f "$dir/valikko.oma" ] || { lv_log "the default menu file was not written"; exit 1; }
# Ends the launcher and Notepad.
lv_wineserver_stop

lv_start "$dir" ./lumora-valikko.exe
lv_wait_window "$title" 60 >/dev/null || { lv_log "no window on the second start"; exit 1; }
sleep 2
lv_screenshot "$out" "$title" || exit 1
echo "$out"
