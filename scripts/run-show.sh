#!/usr/bin/env bash
# Runs the show through the screensaver, as the system would ("Quiverglide.scr /s").
# Installs what is missing, builds into build/, then:
#  - with a working $DISPLAY: runs the show there (it photographs that
#    desktop) until you press Escape;
#  - without one: starts a private virtual X server (1024x768x24), puts a
#    generated desktop picture on its root window, runs the show, saves PNG
#    screenshots across the first seconds and one after frame 500 (the first
#    drift draw), ends the show with Escape and checks its exit code.
# Usage: sudo bash scripts/run-show.sh [OUTPUT_FOLDER]   (default: show-output/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=$(realpath -m "${1:-$top/show-output}")

bash scripts/install-deps.sh
build=${QG_BUILD_DIR:-build}
echo "== building into $build/"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target quiverglide_renderer quiverglide_saver qg_snapshot_path_tool qg_wait_frames

# The screensaver photographs the desktop, starts the renderer and ends
# when the renderer's window has gone.
start_show() { "$build/bin/Quiverglide.scr" /s; }
snapshot=$("$build"/tools/qg_snapshot_path_tool --ensure)

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "== showing on $DISPLAY (press Escape to end)"
  set +e; start_show; code=$?; set -e
  echo "the show ended with exit code $code"
  exit "$code"
fi

mkdir -p "$out"
work=$(mktemp -d)
xvfb_pid=""
show_pid=""
cleanup() {
  [ -n "$show_pid" ] && kill "$show_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== starting a private X server"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp +extension GLX +extension RANDR \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q . "$work/display" 2>/dev/null && break; sleep 0.1; done
grep -q . "$work/display" || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
echo "   display $DISPLAY"

echo "== putting a generated desktop picture on the root window"
bash scripts/make-desktop-picture "$work/desktop.bmp" 1024x768
# (display exits with 1 after setting the root window; the picture is there.)
display -window root "$work/desktop.bmp" || true

echo "== starting the show"
start_show 2>"$out/show-stderr.txt" &
show_pid=$!
# Frame 500 draws the first drift rates. The counter watches the window's
# redraws from the moment it appears (so it never counts ahead of the show),
# and waits for a few more than 500 for the count's slack.
"$build"/tools/qg_wait_frames Wobblevista_VC 520 300 >"$work/frames" &
counter_pid=$!
shot() { import -window root "$out/$1.png"; echo "   saved $out/$1.png"; }
"$build"/tools/qg_wait_frames Wobblevista_VC 1 20 >/dev/null || { echo "the show window did not appear"; exit 1; }
# The screensaver removes its snapshot when the show ends: keep a copy now.
cp "$snapshot" "$out/snapshot.bmp"
sleep 0.5; shot show-0.5s
sleep 1; shot show-1.5s
sleep 1.5; shot show-3s
echo "== waiting for frame 500"
wait "$counter_pid" || { echo "frame 500 did not come within 300 s"; exit 1; }
sed 's/^/   counted /' "$work/frames"
sleep 0.5; shot show-after-frame-500

echo "== ending the show with Escape"
xdotool key Escape
set +e; wait "$show_pid"; code=$?; set -e
show_pid=""
if [ "$code" -ne 0 ]; then
  echo "the show ended with exit code $code (expected 0); its messages: $out/show-stderr.txt"
  exit 1
fi
echo "the show ended with exit code 0"
echo "pictures: $out/show-0.5s.png $out/show-1.5s.png $out/show-3s.png $out/show-after-frame-500.png"
echo "snapshot: $out/snapshot.bmp"
