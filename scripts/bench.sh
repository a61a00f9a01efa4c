#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures; they never fail on them.
#   1. parse_bench (native): menu reading and start-up computation on a 1 MB menu file
#      against a bare line split over the same bytes.
#   2. startup_bench (Windows, under Wine on a private Xvfb): start-up to a visible
#      window with all its buttons against a minimal window program, peak working
#      set, and a button press until the started process exists.
# Usage: scripts/bench.sh [native|win]...   (no argument: both)
# Environment: LV_BUILD (default build/) holds native/ and win/; the Wine prefix is
# LV_BUILD/bench-prefix unless LV_WINEPREFIX names another; LV_BENCH_ROUNDS (10) and
# LV_BENCH_PRESSES (10) set the repetitions. The figures are noisy on a busy machine:
# `uptime` is printed first.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$root/scripts/wine-env.sh"
export LV_WINEPREFIX=${LV_WINEPREFIX:-$LV_BUILD/bench-prefix}

rounds=${LV_BENCH_ROUNDS:-10}
presses=${LV_BENCH_PRESSES:-10}
status=0

say() { printf '[lumora] %s\n' "$*" >&2; }

bench_native() {
  say "== parse benchmark (native)"
  if ! LV_BUILD_TARGET=parse_bench bash scripts/build.sh native; then
    say "native build failed"
    status=1
    return
  fi
  "$LV_BUILD/native/bench/parse_bench" || status=1
}

bench_win() {
  say "== start-up benchmark (Windows, under Wine)"
  if ! LV_BUILD_TARGET=startup_bench bash scripts/build.sh win; then
    say "Windows build failed"
    status=1
    return
  fi
  if ! { lv_wine_env && lv_xvfb_start && lv_wine_prefix && lv_wine_desktop on &&
    lv_wine_set_dpi 96; }; then
    say "Wine set-up failed"
    status=1
    lv_cleanup
    return
  fi
  # A wineserver that stays up between the programs, and one program run first, so
  # that no start pays for starting Wine itself.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1
  say "Wine on DISPLAY=$DISPLAY, WINEPREFIX=$WINEPREFIX"
  wine "$LV_BUILD/win/bench/startup_bench.exe" --rounds "$rounds" --presses "$presses" |
    tr -d '\r'
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  lv_cleanup
}

main() {
  local what=("$@") w
  [ ${#what[@]} -gt 0 ] || what=(native win)
  for w in "${what[@]}"; do
    case $w in
      native | win) ;;
      *)
        say "unknown benchmark '$w' (native or win)"
        exit 2
        ;;
    esac
  done
  bash scripts/deps.sh || exit 1
  trap lv_cleanup EXIT
  trap 'exit 130' INT TERM HUP
  say "load: $(uptime)"
  for w in "${what[@]}"; do
    case $w in
      native) bench_native ;;
      win) bench_win ;;
    esac
  done
  say "load: $(uptime)"
  exit "$status"
}

main "$@"
