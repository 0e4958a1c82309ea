#!/usr/bin/env bash
# Takes the picture of the settings dialog that the README and docs/dialog.md
# show: "Quiverglide.scr /c" from build/ on a private virtual X server, with a
# sound file chosen, read back with ImageMagick's import.
# Usage: bash scripts/shoot-dialog.sh [OUTPUT.png] [DPI]
#   default docs/images/settings-dialog.png at 96 dpi (100 %); 192 is 200 %.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$top/docs/images/settings-dialog.png}")
dpi=${2:-96}
build=${QG_BUILD_DIR:-$top/build}
[ -x "$build/bin/Quiverglide.scr" ] || { echo "build the program first: $build/bin/Quiverglide.scr is missing"; exit 1; }

work=$(mktemp -d)
# The chosen file, at a path that reads the same on every run.
music=/tmp/quiverglide-dialog/ミュージック
xvfb_pid=""
scr_pid=""
cleanup() {
  [ -n "$scr_pid" ] && kill "$scr_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work" /tmp/quiverglide-dialog
}
trap cleanup EXIT

mkdir -p "$work/program" "$work/runtime" "$music"
chmod 700 "$work/runtime"
cp "$build/bin/Quiverglide.scr" "$work/program/"
[ -d "$build/bin/fontconfig" ] && cp -r "$build/bin/fontconfig" "$work/program/"
cp /bin/true "$work/program/Quiverglide.dll"  # a stand-in renderer: the dialog only checks that it is there
: >"$music/テーマ.wav"
printf '[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=%s\r\n' "$music/テーマ.wav" |
  iconv -f UTF-8 -t CP932 >"$work/program/Quiverglide.ini"

# -noreset: the server keeps the root window's resources between clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q . "$work/display" 2>/dev/null && break; sleep 0.1; done
grep -q . "$work/display" || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" XDG_RUNTIME_DIR="$work/runtime" HOME="$work" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
echo "Xft.dpi: $dpi" | xrdb -merge
xdotool mousemove 0 0  # the pointer off the dialog: no hover look in the picture

"$work/program/Quiverglide.scr" /c &
scr_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^<Quiverglide>$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the dialog did not open"; exit 1; }
sleep 1  # its first paint
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "saved $out ($(identify -format '%wx%h' "$out"))"
