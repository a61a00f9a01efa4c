#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one Windows program under Wine.
# The environment comes from scripts/wine-env.sh (scripts/test.sh or
# scripts/with-wine.sh set it up); without a private WINEPREFIX nothing runs,
# so the user's own ~/.wine is never touched.
if [ -z "${WINEPREFIX:-}" ] || [ "${WINEPREFIX%/}" = "$HOME/.wine" ]; then
  echo "wine-exec: no private WINEPREFIX; run the Windows tests with scripts/test.sh or" >&2
  echo "wine-exec:   scripts/with-wine.sh ctest --test-dir build/win --output-on-failure" >&2
  exit 1
fi
# Windows programs end their lines with CR LF; CMake's gtest_discover_tests reads
# the test list line by line and would keep the CR in every test name.
for arg in "$@"; do
  if [ "$arg" = --gtest_list_tests ]; then
    wine "$@" | tr -d '\r'
    exit "${PIPESTATUS[0]}"
  fi
done
exec wine "$@"
