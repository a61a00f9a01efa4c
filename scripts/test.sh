#!/usr/bin/env bash
# Builds and runs every test, then prints "N passed, N failed" as its last line.
# Build folders are under build/ (LV_BUILD moves them; LV_WINEPREFIX moves the prefix).
#   native  build/native: unit tests of the portable core (ctest)
#   fuzz    build/fuzz: the libFuzzer target(s), about 30 s each (one test each)
#   win     build/win: Win32 and end-to-end tests under Wine on a private Xvfb (ctest),
#           the release zip's contents and its unpacked programs among them
#   release scripts/release.sh --verify: two clean builds of HEAD at different paths
#           must give a byte-identical release zip (one test; about half a minute)
# Usage: scripts/test.sh [native|fuzz|win|release]...   (no argument: all four)
# Exits non-zero when anything failed. Installs what is missing first (scripts/deps.sh).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$root/scripts/wine-env.sh"

fuzz_seconds=${LV_FUZZ_SECONDS:-30}
logs=$LV_BUILD/test-logs
passed=0
failed=0
failures=()

say() { printf '[lumora] %s\n' "$*" >&2; }

fail_one() {
  failed=$((failed + 1))
  failures+=("$1")
  say "FAILED: $1"
}

# Adds one ctest run's counts from the closing line it printed
# ("83% tests passed, 1 tests failed out of 6").
count_ctest() {
  local name=$1 log=$2 rc=$3 line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    if [ "$bad" -gt 0 ]; then
      failures+=("$name: $bad of $total tests")
    elif [ "$rc" -ne 0 ]; then
      fail_one "$name: ctest exited with $rc"
    fi
  elif grep -q 'No tests were found' "$log"; then
    say "$name: no tests"
    [ "$rc" -eq 0 ] || fail_one "$name: ctest exited with $rc"
  else
    fail_one "$name: ctest did not finish (exit $rc)"
  fi
}

run_ctest() {
  # run_ctest NAME BUILD_DIR [ctest options...]
  local name=$1 dir=$2 rc
  shift 2
  local log=$logs/ctest-$name.log
  ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  count_ctest "$name" "$log" "$rc"
}

stage_native() {
  say "== native unit tests"
  if ! bash scripts/build.sh native; then
    fail_one "native build"
    return
  fi
  run_ctest native "$LV_BUILD/native" -j2
}

stage_fuzz() {
  say "== fuzzing"
  if [ ! -f fuzz/CMakeLists.txt ]; then
    say "fuzz/CMakeLists.txt does not exist yet: no fuzz run"
    return
  fi
  if ! bash scripts/build.sh fuzz; then
    fail_one "fuzz build"
    return
  fi
  # Every program the fuzz folder builds is a libFuzzer target.
  local targets=() t
  while IFS= read -r t; do
    targets+=("$t")
  done < <(find "$LV_BUILD/fuzz/fuzz" -maxdepth 2 -type f -perm -u+x ! -path '*/CMakeFiles/*' \
    ! -name '*.so' ! -name '*.a' 2>/dev/null | sort)
  if [ ${#targets[@]} -eq 0 ]; then
    fail_one "fuzz: the fuzz build made no program"
    return
  fi
  for t in "${targets[@]}"; do
    fuzz_one "$t"
  done
}

fuzz_one() {
  local exe=$1 name corpus rc
  name=$(basename "$exe")
  # New inputs go to the first folder (kept in build/, grows run by run); the
  # checked-in seeds, if any, are only read.
  corpus=$LV_BUILD/fuzz/corpus/$name
  mkdir -p "$corpus" "$LV_BUILD/fuzz/artifacts"
  local args=(-max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$LV_BUILD/fuzz/artifacts/$name-")
  local dirs=("$corpus") d
  for d in "fuzz/corpus/$name" fuzz/corpus "fuzz/seeds/$name" fuzz/seeds; do
    if [ -d "$d" ] && [ -n "$(find "$d" -maxdepth 1 -type f -print -quit)" ]; then
      dirs+=("$root/$d")
      break
    fi
  done
  for d in "fuzz/$name.dict" fuzz/*.dict; do
    if [ -f "$d" ]; then
      args+=(-dict="$root/$d")
      break
    fi
  done
  local log=$logs/fuzz-$name.log
  say "fuzzing $name for ${fuzz_seconds} s"
  "$exe" "${args[@]}" "${dirs[@]}" >"$log" 2>&1
  rc=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done [0-9]+ runs)' "$log" >&2
  if [ "$rc" -eq 0 ]; then
    passed=$((passed + 1))
    say "fuzz $name: passed"
  else
    tail -n 60 "$log" >&2
    fail_one "fuzz $name (exit $rc; log $log, inputs in $LV_BUILD/fuzz/artifacts)"
  fi
}

stage_win() {
  say "== Windows tests under Wine"
  if ! bash scripts/build.sh win; then
    fail_one "Windows build"
    return
  fi
  # One private X server and one new prefix for the whole run; the tests inherit
  # DISPLAY, WINEPREFIX and the WINE* settings from here.
  if ! { lv_wine_env && lv_xvfb_start && lv_wine_prefix fresh && lv_wine_desktop on &&
    lv_wine_warm; }; then
    fail_one "Wine set-up"
    lv_cleanup
    return
  fi
  say "Wine on DISPLAY=$DISPLAY, WINEPREFIX=$WINEPREFIX"
  # One at a time: the tests share the desktop, the focus, the clipboard and drive C:.
  run_ctest win "$LV_BUILD/win"
  lv_cleanup
}

stage_release() {
  say "== release: two clean builds of the committed HEAD must give the same zip"
  local log=$logs/release-verify.log t0=$SECONDS
  if bash scripts/release.sh --verify >"$log" 2>&1; then
    passed=$((passed + 1))
    say "release: reproducible, $((SECONDS - t0)) s"
  else
    tail -n 40 "$log" >&2
    fail_one "release: not reproducible or not built (log $log)"
  fi
}

main() {
  local what=("$@")
  [ ${#what[@]} -gt 0 ] || what=(native fuzz win release)
  for w in "${what[@]}"; do
    case $w in
      native | fuzz | win | release) ;;
      *)
        say "unknown stage '$w' (native, fuzz, win or release)"
        exit 2
        ;;
    esac
  done

  bash scripts/deps.sh || exit 1
  mkdir -p "$logs"
  trap lv_cleanup EXIT
  trap 'exit 130' INT TERM HUP

  local t0=$SECONDS
  for w in "${what[@]}"; do
    "stage_$w"
  done

  say "== done in $((SECONDS - t0)) s"
  local f
  for f in "${failures[@]}"; do
    say "failed: $f"
  done
  if [ $((passed + failed)) -eq 0 ]; then
    fail_one "no test ran"
  fi
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
