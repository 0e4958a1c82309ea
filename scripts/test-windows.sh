#!/usr/bin/env bash
# The Windows build and its tests, standalone: installs the cross compiler and
# Wine, generates the ja_JP.UTF-8 locale (Wine's code page 932), cross-builds
# into build-win/, makes a fresh Wine prefix in a temporary folder, starts a
# private Xorg with the dummy driver (real display-mode switching) and runs
# every test of the Windows build under Wine there. Cleans up after itself.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
bash scripts/install-deps.sh

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "== generating the ja_JP.UTF-8 locale"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

jobs=${QG_JOBS:-$(nproc)}
build=${QG_WIN_BUILD:-build-win}
echo "== Windows cross build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-w64.cmake" >/dev/null
cmake --build "$build" -j "$jobs"

work=$(mktemp -d /tmp/qg-wine-XXXXXX)
xorg_pid=""
cleanup() {
  set +e
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; fi
  if [ -n "$xorg_pid" ]; then
    kill "$xorg_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$xorg_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$xorg_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== private Xorg (dummy driver)"
# Never the caller's display: the server reports its own number once ready.
unset DISPLAY WAYLAND_DISPLAY
: >"$work/display"
Xorg -displayfd 3 -config "$top/scripts/xorg-dummy.conf" -noreset -nolisten tcp \
  -logfile "$work/xorg.log" -novtswitch -sharevts 3>"$work/display" >/dev/null 2>&1 &
xorg_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xorg_pid" 2>/dev/null || { echo "Xorg failed:"; tail -20 "$work/xorg.log"; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xorg did not start"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

echo "== fresh Wine prefix"
mkdir -p "$work/home"
export HOME="$work/home"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
unset LC_ALL LANGUAGE
wineboot -i >"$work/wineboot.log" 2>&1
# Without a window manager, managed windows take 2 s to close.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
# One wineserver for the whole run: tests start many Wine processes at once,
# and a server starting for each of them races with itself.
wineserver -p
# Wine's session processes (services, devices) outlive the program that
# starts them and keep its output open; started here, they hold no pipe of
# ctest's.
wine cmd /c exit >/dev/null 2>&1 </dev/null

# Wine's ALSA output goes to a null device, so MCI plays with no sound card.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"

echo "== tests under Wine on $DISPLAY"
export QG_WINE_SHOW_TESTS=1 QG_WINE_SOUND=1 QG_WINE_JA=1
# scripts/mutation-check.sh runs its own command here, to reuse this set-up.
if [ -n "${QG_WINE_RUN:-}" ]; then
  bash -c "$QG_WINE_RUN"
  exit
fi
# Now and then Wine fails to start a test program at all (it ends at once,
# printing nothing); such a test gets one more try. A real fault fails twice.
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 180 --repeat until-pass:2 ${QG_CTEST_ARGS:-}

echo "== the show on two monitors"
# A second output to the right of the first. The dummy driver calls it
# connected only once a client probes the outputs (plain xrandr does), and
# Wine leaves disconnected ones out; it reads the monitors afresh in a new
# session.
if xrandr --addmode DUMMY1 1280x1024 && xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0; then
  xrandr >/dev/null
  wineserver -k; wineserver -w; wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  QG_WINE_TWO_MONITORS=1 ctest --test-dir "$build" --output-on-failure -R '^win\.RendererCoverTest' --timeout 180
  xrandr --output DUMMY1 --off
fi

echo "== the ZIP a user unpacks, and its programs under Wine"
bash "$top/tests/package/zip_test.sh" "$build"
