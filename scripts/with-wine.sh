#!/usr/bin/env bash
# Runs one command inside the project's Wine environment: a private Xvfb, the
# private prefix (build/wine-prefix, or LV_WINEPREFIX) and the Wine settings of
# scripts/wine-env.sh; stops that Xvfb and wineserver afterwards.
#   scripts/with-wine.sh ctest --test-dir build/win --output-on-failure -R e2e
#   scripts/with-wine.sh wine build/win/app/lumora-valikko.exe
# LV_WINE_FRESH=1 makes a new prefix first; LV_DPI=144 sets the prefix's DPI (default 96).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$root/scripts/wine-env.sh"

if [ $# -eq 0 ]; then
  echo "usage: scripts/with-wine.sh COMMAND [ARG]..." >&2
  exit 2
fi

trap lv_cleanup EXIT
trap 'exit 130' INT TERM HUP

lv_wine_env || exit 1
lv_xvfb_start || exit 1
if [ "${LV_WINE_FRESH:-0}" = 1 ]; then
  lv_wine_prefix fresh || exit 1
else
  lv_wine_prefix || exit 1
fi
lv_wine_desktop on || exit 1
# Set every time: the prefix is kept between runs and must not keep an earlier DPI.
lv_wine_set_dpi "${LV_DPI:-96}" || exit 1
"$@"
