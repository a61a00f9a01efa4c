#!/usr/bin/env bash
# Checks the release zip as a user gets it and unpacks it for the first-start test:
#   tests/e2e/check_release_zip.sh ZIP GUIDE.md DEST
# The zip must hold exactly the folder lumora-valikko/ with the program, the checker,
# LUEMINUT.txt and SHA256SUMS, and no menu file. It is unpacked into DEST (a folder
# with a blank in its name), where `sha256sum -c` must pass over the three files, and
# LUEMINUT.txt must be the guide as UTF-8 with a byte-order mark and CR LF line ends.
set -uo pipefail
zip=$1 guide=$2 dest=$3
fail=0
bad() {
  echo "FAIL: $*" >&2
  fail=1
}

expected=$'lumora-valikko/\nlumora-valikko/lumora-valikko.exe\nlumora-valikko/valikkotarkistus.exe\nlumora-valikko/LUEMINUT.txt\nlumora-valikko/SHA256SUMS'
listing=$(unzip -Z1 "$zip") || { echo "FAIL: cannot list $zip" >&2; exit 1; }
[ "$listing" = "$expected" ] || bad "the zip holds, in this order:"$'\n'"$listing"$'\n'"expected:"$'\n'"$expected"

case $dest in *" "*) ;; *) bad "the folder '$dest' has no blank in its name" ;; esac
rm -rf "$dest"
mkdir -p "$dest"
unzip -q "$zip" -d "$dest" || { echo "FAIL: cannot unzip $zip" >&2; exit 1; }
folder=$dest/lumora-valikko

if ! (cd "$folder" && sha256sum -c --strict SHA256SUMS >&2); then
  bad "sha256sum -c"
fi
sums=$(cut -d' ' -f3- "$folder/SHA256SUMS" | tr '\n' ' ')
[ "$sums" = "lumora-valikko.exe valikkotarkistus.exe LUEMINUT.txt " ] ||
  bad "SHA256SUMS covers: $sums"

readme=$folder/LUEMINUT.txt
[ "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || bad "LUEMINUT.txt has no UTF-8 byte-order mark"
if tail -c +4 "$readme" | grep -qv $'\r$'; then
  bad "LUEMINUT.txt has a line without CR LF"
fi
tail -c +4 "$readme" | tr -d '\r' | cmp -s - <(tr -d '\r' <"$guide") ||
  bad "LUEMINUT.txt is not the guide $guide"
exit "$fail"
