#!/usr/bin/env bash
# Installs with apt-get what building, running and testing need on Debian 12.
# Asks dpkg first and does nothing (and no apt-get update) when all is there.
set -euo pipefail

packages=(
  # native build, unit tests, benchmarks
  cmake make g++ libgtest-dev googletest libbenchmark-dev
  # fuzzing: clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # the Windows build (the -posix compilers; static runtime)
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # running it: 64-bit Wine on a private X server
  wine wine64 fonts-wine xvfb xauth
  # finding windows and taking screenshots
  xdotool x11-utils imagemagick
  # the release zip
  git zip unzip
)

# One dpkg-query for all: a package not listed as installed is missing.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  if ! grep -qx -- "$p" <<<"$installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "deps: missing packages: ${missing[*]}" >&2
  echo "deps: as root, run:  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt_opts=(-y -q -o Dpkg::Lock::Timeout=300 -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
log=$(mktemp "${TMPDIR:-/tmp}/lv-deps.XXXXXX")
if ! { apt-get -q -o Dpkg::Lock::Timeout=300 update &&
  apt-get "${apt_opts[@]}" install "${missing[@]}"; } </dev/null >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "deps: apt-get failed (full log: $log)" >&2
  exit 1
fi
rm -f "$log"
echo "deps: done" >&2
