#!/usr/bin/env bash
# Builds the Windows release from a clean state:
#   build/release/lumora-valikko-<version>-win-x64.zip
# (the build's own target release_zip; what the zip holds: scripts/package.sh). The
# last line printed is the zip's path.
#
# The zip is reproducible: the same commit built in any folder gives the same bytes.
# The compiler maps the build paths away (-ffile-prefix-map), archives carry no times
# (ar D), the linker writes a zero PE time stamp (--no-insert-timestamp), and every
# time in the zip is SOURCE_DATE_EPOCH, by default the last commit's time.
#
# Usage: scripts/release.sh [--verify]
#   --verify  clones HEAD (the committed state, not the work tree) into two temporary
#             folders at different paths, builds the release in each and compares the
#             two zips byte for byte; exits 1, naming the files that differ, when they
#             are not identical. The verified zip is copied to build/release/.
# Environment: LV_BUILD (default build/), LV_JOBS (default 2).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
build=${LV_BUILD:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
jobs=${LV_JOBS:-2}
out=$build/release

say() { printf '[lumora] %s\n' "$*" >&2; }

version=$(sed -n 's/^#define LV_VERSION_TEXT "\(.*\)"$/\1/p' app/resources/version.h)
zip_name=lumora-valikko-$version-win-x64.zip

release() {
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || {
      say "no git commit to take the release time from: set SOURCE_DATE_EPOCH"
      return 1
    }
  fi
  export SOURCE_DATE_EPOCH
  if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    say "warning: the work tree has uncommitted changes; the zip is not that of a commit"
  fi
  say "release $version from a clean build in $out/win (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
  rm -rf "$out"
  cmake -S "$root" -B "$out/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null || return 1
  cmake --build "$out/win" --parallel "$jobs" --target release_zip >&2 || return 1
  cp "$out/win/release/$zip_name" "$out/$zip_name" || return 1
  echo "$out/$zip_name"
}

# Names the files of two zips that differ, for a failed verify.
compare_contents() {
  local a=$1 b=$2 tmp f
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/lv-zipdiff.XXXXXX")
  unzip -q "$a" -d "$tmp/a" && unzip -q "$b" -d "$tmp/b"
  diff <(unzip -Zl "$a" | sed 1d) <(unzip -Zl "$b" | sed 1d) >&2
  for f in "$tmp"/a/lumora-valikko/*; do
    cmp -s "$f" "$tmp/b/lumora-valikko/${f##*/}" || say "differs: lumora-valikko/${f##*/}"
  done
  rm -rf "$tmp"
}

verify() {
  local tmp dirs zips=() d t0=$SECONDS
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/lv-verify.XXXXXX") || return 1
  # Two paths of different lengths, so that a build path left in a file shows.
  dirs=("$tmp/a/lumora-valikko" "$tmp/second-clone-at-a-longer-path/src")
  for d in "${dirs[@]}"; do
    mkdir -p "$(dirname "$d")"
    git clone -q --no-hardlinks "$root" "$d" || { rm -rf "$tmp"; return 1; }
    local zip
    zip=$(LV_BUILD="$d/build" bash "$d/scripts/release.sh" | tail -n1)
    if [ ! -f "$zip" ]; then
      say "the release build in $d failed"
      rm -rf "$tmp"
      return 1
    fi
    zips+=("$zip")
  done
  local status=0
  if cmp -s "${zips[0]}" "${zips[1]}"; then
    say "reproducible: both builds gave $(sha256sum "${zips[0]}" | cut -d' ' -f1) ($((SECONDS - t0)) s)"
    mkdir -p "$out"
    cp "${zips[0]}" "$out/$zip_name" && echo "$out/$zip_name"
  else
    say "NOT reproducible: ${zips[0]} and ${zips[1]} differ"
    compare_contents "${zips[0]}" "${zips[1]}"
    status=1
  fi
  rm -rf "$tmp"
  return "$status"
}

case ${1:-} in
  "") bash scripts/deps.sh && release ;;
  --verify) bash scripts/deps.sh && verify ;;
  *)
    say "usage: scripts/release.sh [--verify]"
    exit 2
    ;;
esac
