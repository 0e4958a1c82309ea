#!/usr/bin/env bash
# The Windows ZIP as a user gets it: `cpack -G ZIP` in the cross build makes
# Quiverglide-<version>-win64.zip holding exactly the two programs and the
# README (plain text, CRLF), the programs need no MinGW DLLs, and the
# end-to-end tests of Quiverglide.scr pass with the programs as unpacked from
# the ZIP into a folder of their own (its long name has a short 8.3 form),
# once more with the display scaled to 150 % (Wine's LogPixels at 144).
# Run by scripts/test-windows.sh once its Wine prefix and private Xorg are
# up (WINEPREFIX, DISPLAY and the test switches exported).
# Usage: bash tests/package/zip_test.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "$1")
: "${WINEPREFIX:?needs the Wine prefix of scripts/test-windows.sh}"
[ -f "$build/CPackConfig.cmake" ] || { echo "zip_test: no CPack configuration in $build"; exit 1; }
work=$(mktemp -d /tmp/qg-zip-XXXXXX)
unpacked_name="Quiverglide unpacked ZIP"
unpacked="$WINEPREFIX/drive_c/$unpacked_name"
aside="$build/bin/.aside-during-zip-test"
restore() {
  if [ -d "$aside" ]; then mv "$aside"/* "$build/bin/"; rmdir "$aside"; fi
  rm -rf "$work" "$unpacked"
}
trap restore EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== cpack -G ZIP"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ "$version" = "1.00" ] || fail "the package version is '$version', not the project's 1.00"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
zip="$work/out/Quiverglide-$version-win64.zip"
[ -f "$zip" ] || { ls -l "$work/out"; echo "FAIL: no $(basename "$zip")"; exit 1; }

listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listing" = "Quiverglide.dll Quiverglide.scr README.txt " ] || fail "the ZIP holds: $listing"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
readme="$unpacked/README.txt"
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || fail "README.txt has lines without CRLF"
LC_ALL=C grep -q '[^[:print:][:space:]]' "$readme" && fail "README.txt is not plain ASCII text"
for words in 'Install' 'C:\Windows\System32' 'Settings' 'music' 'Removing' "Quiverglide $version"; do
  grep -qF "$words" "$readme" || fail "README.txt does not mention '$words'"
done
for program in Quiverglide.scr Quiverglide.dll; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$unpacked/$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  grep -Eq 'libstdc|libgcc|libwinpthread' <<<"$dlls" && fail "$program needs a MinGW DLL: $(tr '\n' ' ' <<<"$dlls")"
done
echo "ok: $(basename "$zip"): $listing"

echo "== Quiverglide.scr end to end, as unpacked from the ZIP (C:\\$unpacked_name)"
# The built programs step aside, so only the unpacked ones can pass.
mkdir -p "$aside"
mv "$build/bin/Quiverglide.scr" "$build/bin/Quiverglide.dll" "$aside/"
QG_PROGRAM_DIR="C:\\$unpacked_name" ctest --test-dir "$build" --output-on-failure --timeout 180 \
  -R '^win\.ScrTest\.' || fail "the end-to-end tests from the unpacked ZIP"

echo "== once more on a scaled display (150 %: Wine's LogPixels at 144)"
# Read by each Wine program as it starts; back to 96 afterwards.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
QG_WINE_DPI=144 QG_PROGRAM_DIR="C:\\$unpacked_name" ctest --test-dir "$build" --output-on-failure --timeout 180 \
  -R '^win\.ScrTest\.' || fail "the end-to-end tests on a scaled display"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

if [ "$failures" -ne 0 ]; then
  echo "zip_test: $failures failure(s)"
  exit 1
fi
echo "zip_test: all checks passed"
