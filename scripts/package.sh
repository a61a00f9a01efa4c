#!/usr/bin/env bash
# Packs the Windows release zip from a built program, checker and the guide:
#   scripts/package.sh ZIP PROGRAM.exe CHECKER.exe GUIDE.md
# The zip holds one folder, lumora-valikko/, with
#   lumora-valikko.exe    the program
#   valikkotarkistus.exe  the menu file checker
#   LUEMINUT.txt          the guide (docs/ohje.md) for Notepad: UTF-8 with a byte-order
#                         mark, CR LF line ends; the text itself is not changed
#   SHA256SUMS            the three files' checksums, in `sha256sum -c` format
# The same inputs give the same bytes: every time in the zip is SOURCE_DATE_EPOCH
# (default: the time of the source tree's last commit), the entries stand in a fixed
# order, modes are fixed, and Info-ZIP's -X leaves out owners and extra time fields.
# Run by the build (target release_zip) and so by scripts/release.sh.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: scripts/package.sh ZIP PROGRAM.exe CHECKER.exe GUIDE.md" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
zip_out=$1 program=$2 checker=$3 guide=$4
case $zip_out in /*) ;; *) zip_out=$PWD/$zip_out ;; esac

epoch=${SOURCE_DATE_EPOCH:-}
if [ -z "$epoch" ]; then
  epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || epoch=""
fi
if ! [[ $epoch =~ ^[0-9]+$ ]]; then
  echo "package: no SOURCE_DATE_EPOCH and no git commit to take the time from" >&2
  exit 1
fi

stage=$zip_out.stage
folder=$stage/lumora-valikko
rm -rf "$stage" "$zip_out"
mkdir -p "$folder"
cp "$program" "$folder/lumora-valikko.exe"
cp "$checker" "$folder/valikkotarkistus.exe"
{
  printf '\xEF\xBB\xBF'
  sed 's/\r$//; s/$/\r/' "$guide"
} >"$folder/LUEMINUT.txt"
files=(lumora-valikko.exe valikkotarkistus.exe LUEMINUT.txt)
(cd "$folder" && sha256sum "${files[@]}" >SHA256SUMS)
files+=(SHA256SUMS)

chmod 0755 "$folder" "$folder"/*.exe
chmod 0644 "$folder/LUEMINUT.txt" "$folder/SHA256SUMS"
touch -d "@$epoch" "$folder"/* "$folder"
entries=(lumora-valikko/)
for f in "${files[@]}"; do
  entries+=("lumora-valikko/$f")
done
# ZIPOPT and ZIP would add options of the caller's; the DOS times in a zip are local
# times, so the time zone is fixed too.
(cd "$stage" && env -u ZIPOPT -u ZIP TZ=UTC zip -X -9 -q "$zip_out" "${entries[@]}")
rm -rf "$stage"
