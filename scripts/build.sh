#!/usr/bin/env bash
# Configures and builds one or more of the project's build folders:
#   native  build/native  the portable core and its unit tests, with the host's g++
#   win     build/win     the Windows program and its tests, with MinGW-w64 (Release)
#   fuzz    build/fuzz    the libFuzzer target, with clang (skipped while fuzz/ has none)
# Usage: scripts/build.sh [native|win|fuzz]...   (no argument: all three)
# Environment: LV_JOBS (default 2) parallel jobs; LV_BUILD_TARGET builds only that target;
# LV_BUILD puts the build folders somewhere else than build/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${LV_JOBS:-2}
build=${LV_BUILD:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac

say() { printf '[lumora] %s\n' "$*" >&2; }

build_dir() {
  # build_dir DIR [cmake configure options...]
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" "$@" >/dev/null
  if [ -n "${LV_BUILD_TARGET:-}" ]; then
    cmake --build "$dir" --parallel "$jobs" --target "$LV_BUILD_TARGET"
  else
    cmake --build "$dir" --parallel "$jobs"
  fi
}

build_native() {
  say "native build in $build/native"
  build_dir "$build/native"
}

build_win() {
  say "Windows build in $build/win"
  build_dir "$build/win" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
}

build_fuzz() {
  if [ ! -f "$root/fuzz/CMakeLists.txt" ]; then
    say "fuzz/CMakeLists.txt does not exist yet: no fuzz build"
    return 0
  fi
  say "fuzz build in $build/fuzz"
  build_dir "$build/fuzz" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLV_FUZZ=ON
}

main() {
  local what=("$@")
  [ ${#what[@]} -gt 0 ] || what=(native win fuzz)
  for w in "${what[@]}"; do
    case $w in
      native) build_native ;;
      win) build_win ;;
      fuzz) build_fuzz ;;
      *)
        say "unknown build '$w' (native, win or fuzz)"
        return 2
        ;;
    esac
  done
}

main "$@"
