#!/usr/bin/env bash
# The installed program: `cmake --install` of the build into a scratch prefix,
# the installed batch tool run from elsewhere on an installed demo file with
# the installed data, in the locale's language; the desktop entry, the file
# types and the icons checked with the desktop's own tools.
#   InstallTest.sh BUILD_DIR VERSION gui|nogui
set -euo pipefail
build=$1 version=$2 gui=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
has() { grep -qF -- "$2" <<<"$1" || fail "$3: no '$2' in: $1"; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cli=$prefix/bin/phonotab-cli
data=$prefix/share/phonotab
[ -x "$cli" ] || { echo "FAILED: no bin/phonotab-cli" >&2; exit 1; }

# The shipped data, and none of the build's own files.
for f in TeleDescFile.bin lang/ru.txt lang/en.txt RefMap.txt calc_help.txt empty.bmp report/template_ru.docx report/template_en.docx demo/demo.pht demo/SLM101_street_day.bin; do
  [ -f "$data/$f" ] || fail "no share/phonotab/$f"
done
compgen -G "$data/TblStore/*.tbl" >/dev/null || fail "no standard tables in share/phonotab/TblStore"
leftovers=$(find "$data" -name CMakeFiles -o -name '*.cmake' -o -name '.stamp')
[ -z "$leftovers" ] || fail "build files installed: $leftovers"
before=$(cd "$data" && find . -type f -exec md5sum {} + | sort)

# The batch tool finds the installed data from its own folder, wherever it runs.
demo=$data/demo/SLM101_street_day.bin
cd "$scratch"
out=$(LC_ALL=C "$cli" info "$demo")
has "$out" '"instrumentName": "Шумомер SLM-101"' "no locale: Russian"
has "$out" '"vin"' "info"
out=$(env -u LC_ALL -u LC_MESSAGES LANG=ru_RU.UTF-8 "$cli" info "$demo")
has "$out" '"instrumentName": "Шумомер SLM-101"' "Russian locale"
out=$(env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$cli" info "$demo")
has "$out" '"instrumentName": "Sound level meter SLM-101"' "English locale"
out=$(env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$cli" info "$scratch/missing.bin" 2>&1) && fail "a missing file was accepted"
has "$out" "Cannot open file" "English locale, refusal"
out=$(env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$cli" --lang Русский info "$demo")
has "$out" '"instrumentName": "Шумомер SLM-101"' "--lang before the locale"
out=$("$cli" project show "$data/demo/demo.pht")
has "$out" 'SLM101_street_day.bin' "project show of the installed demo project"
[ "$("$cli" --version)" = "phonotab-cli $version" ] || fail "phonotab-cli --version: $("$cli" --version)"
after=$(cd "$data" && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "the installed data folder changed"

if [ "$gui" = gui ]; then
  [ "$("$prefix/bin/phonotab" --version)" = "phonotab $version" ] || fail "phonotab --version"
  entry=$prefix/share/applications/phonotab.desktop
  package=$prefix/share/mime/packages/phonotab.xml
  desktop-file-validate "$entry" || fail "desktop-file-validate"
  xmllint --noout "$package" || fail "xmllint of the file types"
  grep -qx 'Exec=phonotab %F' "$entry" || fail "the desktop entry does not start phonotab with the files"
  # The file types the entry opens are the ones the package defines, each
  # known by its extension and shown with its own icon.
  defined=$(grep -o 'mime-type type="[^"]*"' "$package" | cut -d'"' -f2 | sort | tr '\n' ';')
  opened=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d' | sort | tr '\n' ';')
  [ "$defined" = "$opened" ] || fail "the entry opens '$opened', the package defines '$defined'"
  cp -r "$prefix/share/mime" "$scratch/mime"
  update-mime-database "$scratch/mime" >/dev/null 2>&1 || fail "update-mime-database"
  grep -qx '50:application/x-phonotab-project:\*.pht' "$scratch/mime/globs2" || fail "*.pht is no project"
  grep -qx '50:application/x-phonotab-table:\*.tbl' "$scratch/mime/globs2" || fail "*.tbl is no table"
  icons=$prefix/share/icons/hicolor
  for name in apps/phonotab mimetypes/application-x-phonotab-project mimetypes/application-x-phonotab-table; do
    for size in 16 22 24 32 48 64 128 256; do
      file -b "$icons/${size}x$size/$name.png" | grep -q "PNG image data, $size x $size" ||
        fail "no ${size}x$size picture $name.png"
    done
    xmllint --noout "$icons/scalable/$name.svg" || fail "no scalable picture $name.svg"
  done
fi

if [ "$failures" -ne 0 ]; then
  echo "install test: $failures failures" >&2
  exit 1
fi
echo "install test: the installed programs, data, desktop entry, file types and icons are in order"
