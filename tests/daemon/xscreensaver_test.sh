#!/usr/bin/env bash
# The show under the real X11 screensaver daemon, as a user would set it up:
# installed with `cmake --install`, the line from the README in the user's
# ~/.xscreensaver, the daemon run by an unprivileged user (it starts no
# screensaver for root) against a private X server of this test.
#
#   xscreensaver_test.sh BUILD_DIR TEST_WINDOWS_PROGRAM SOURCE_DIR
#
# One monitor (Xvfb) and two monitors (the dummy Xorg, a second output turned
# on through XRandR): on activation each monitor's window shows that
# monitor's desktop, moving, and the music plays in exactly one process; on
# deactivation nothing of ours runs, no snapshot is left and the display
# modes are as they were. Then the settings dialog's preview (--window-id of
# a small window of another program): the show in that window, no music.
# Exit 77 (skipped) without root or without the daemon.
set -u
build=$1 windows=$2 src=$3

if [ "$(id -u)" != 0 ]; then echo "SKIP: the test user and the Xorg need root"; exit 77; fi
for tool in xscreensaver xscreensaver-command runuser useradd xhost xrandr import convert compare sox iconv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (bash scripts/install-deps.sh)"; exit 77; }
done

user=qg-saver-test
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user" || exit 1
home=$(getent passwd "$user" | cut -d: -f6)
uid=$(id -u "$user")
snapshots=/tmp/kestrow-$uid

work=$(mktemp -d /tmp/qg-daemon-XXXXXX)
chmod 755 "$work"
started=()  # pids this test started, ended at the end
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
note() { echo "-- $*"; }
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  sleep 0.5
  for pid in "${started[@]}"; do kill -9 "$pid" 2>/dev/null; done
  if [ -n "${QG_KEEP_WORK:-}" ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Polls a command for up to $1 tenths of a second.
within() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Installed as a user would; the program folder is not the user's to write,
# so the settings live in the user's own folder.
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || { echo "install failed"; exit 1; }
# Where the user's programs may write: the music's output.
mkdir "$work/out" && chown "$user" "$work/out"
chmod -R a+rX "$work/prefix"
command=$work/prefix/libexec/xscreensaver/Quiverglide.scr
[ -L "$command" ] || fail "no command in libexec/xscreensaver"
[ -f "$work/prefix/share/xscreensaver/config/quiverglide.scr.xml" ] || fail "no description for the settings dialog"

# The music: a WAV tone, chosen in the settings (kind 2, a file).
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 2 sine 440 vol 0.5
chmod 644 "$work/tone.wav"
mkdir -p "$home/.config/quiverglide"
printf '[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=1\r\nBGMﾌｧｲﾙ=%s\r\n' "$work/tone.wav" | iconv -f UTF-8 -t CP932 \
  >"$home/.config/quiverglide/Quiverglide.ini"
chown -R "$user" "$home/.config"

cat >"$home/.xscreensaver" <<EOF
mode:		one
selected:	0
lock:		False
fade:		False
unfade:		False
splash:		False
timeout:	0:30:00
cycle:		0:30:00
grabDesktopImages:	True
programs:								      \\
		GL: "Quiverglide" $command --root		    \\n\\

EOF
chown "$user" "$home/.xscreensaver"

# A private X server; sets display and server.
start_server() {
  rm -f "$work/display"
  if [ "$1" = xvfb ]; then
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp +extension GLX +extension RANDR \
      5>"$work/display" >"$work/x.log" 2>&1 &
  else
    Xorg -displayfd 5 -config "$src/scripts/xorg-dummy.conf" -noreset -nolisten tcp -novtswitch -sharevts \
      -logfile "$work/xorg.log" 5>"$work/display" >"$work/x.log" 2>&1 &
  fi
  server=$!
  started+=("$server")
  within 200 test -s "$work/display" || { echo "the X server did not start"; cat "$work/x.log"; exit 1; }
  display=:$(head -n1 "$work/display")
  export DISPLAY=$display
  xhost "+SI:localuser:$user" >/dev/null
}

stop_server() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  unset DISPLAY
}

as_user() {
  runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin DISPLAY="$display" \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out/audio-$case.raw" "$@"
}

# Our processes by name; ended ones waiting for the daemon to reap them do not count.
ours() { ps -u "$uid" -o stat=,comm= | awk -v n="$1" '$1 !~ /^Z/ && $2 == n' | wc -l; }
renderers_are() { [ "$(ours Quiverglide.dll)" = "$1" ]; }
nothing_of_ours() { [ "$(ours Quiverglide.scr)" = 0 ] && [ "$(ours Quiverglide.dll)" = 0 ]; }
no_snapshot() { ! ls "$snapshots"/Wobblevista*.bmp >/dev/null 2>&1; }
# Each output's mode and place (whether the server calls it connected may
# change when a client probes the outputs, which is no change of mode).
modes() { xrandr --current | awk '/ (dis)?connected/ { for (i = 2; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) print $1, $i }'; }

# Share of the area's pixels near a colour, 0 to 1.
share() {  # file WxH+X+Y colour
  convert "$1" -crop "$2" +repage -alpha off -fuzz 8% -fill black +opaque "$3" -fill white -opaque "$3" \
    -colorspace gray -format '%[fx:mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# Pixels that differ between two pictures in the area.
changed() {  # file1 file2 WxH+X+Y
  convert "$1" -crop "$3" +repage "$work/a.png"
  convert "$2" -crop "$3" +repage "$work/b.png"
  compare -metric AE -fuzz 5% "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

# Two screenshots 0.7 s apart, $case-1.png and $case-2.png, taken again until
# the area has changed by more than $2 pixels or 15 s have passed: a software
# GL on a busy machine may take a while over the first frames.
# Both must show some of colour $3 there: the daemon's blank window before
# the first frame is no moving show.
shots_until_moving() {  # pixels area colour [area colour ...]
  local c min=$1 ok
  shift
  for ((try = 0; try < 10; try++)); do
    import -window root "$work/$case-1.png"
    sleep 0.7
    import -window root "$work/$case-2.png"
    ok=1
    local args=("$@")
    for ((i = 0; i < ${#args[@]}; i += 2)); do
      c=$(changed "$work/$case-1.png" "$work/$case-2.png" "${args[i]}")
      above "${c:-0}" "$min" && above "$(share "$work/$case-1.png" "${args[i]}" "${args[i + 1]}")" 0.05 &&
        above "$(share "$work/$case-2.png" "${args[i]}" "${args[i + 1]}")" 0.05 || ok=0
    done
    [ "$ok" = 1 ] && return 0
    sleep 0.8
  done
}

# How many of our hosts have the music's output open.
playing_hosts() {
  local count=0
  for pid in $(pgrep -u "$uid" -x Quiverglide.scr -r R,S,D); do
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -q "out/audio-$case.raw" && count=$((count + 1))
  done
  echo "$count"
}

# The desktop, mapped before anything else is.
desktop() {
  rm -f "$work/desktop-ready"
  "$windows" desktop "$1" "$2" >"$work/desktop-ready" &
  started+=("$!")
  within 50 test -s "$work/desktop-ready" || fail "no desktop"
}

BLUE='rgb(30,144,255)'
ORANGE='rgb(255,140,0)'

# One activation of the daemon over `monitors` monitors of width w, height h.
daemon_case() {
  case=$1 kind=$2 monitors=$3 w=$4 h=$5
  note "$case: $monitors monitor(s)"
  start_server "$kind"
  if [ "$monitors" = 2 ]; then
    xrandr --addmode DUMMY1 1280x1024 && xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 ||
      fail "$case: no second output"
  fi
  desktop $((w * monitors)) "$h"
  local before
  before=$(modes)

  as_user sh -c 'cd && exec xscreensaver -no-splash' >"$work/daemon-$case.log" 2>&1 &
  local daemon=$!
  started+=("$daemon")
  within 100 as_user xscreensaver-command -time >/dev/null 2>&1 || fail "$case: the daemon did not come up"
  sleep 1
  as_user xscreensaver-command -activate >/dev/null 2>&1
  within 150 renderers_are "$monitors" ||
    fail "$case: $(ours Quiverglide.dll) renderers for $monitors monitors"
  # Every monitor's show, each starting on its own.
  if [ "$monitors" = 1 ]; then shots_until_moving 2000 "${w}x${h}+0+0" "$BLUE"
  else shots_until_moving 2000 "${w}x${h}+0+0" "$BLUE" "${w}x${h}+${w}+0" "$ORANGE"; fi

  for ((m = 0; m < monitors; m++)); do
    local area="${w}x${h}+$((m * w))+0" mine other
    if [ "$monitors" = 1 ]; then mine=$BLUE other=$ORANGE; elif [ $m = 0 ]; then mine=$BLUE other=$ORANGE; else
      mine=$ORANGE other=$BLUE; fi
    local s o c
    s=$(share "$work/$case-1.png" "$area" "$mine")
    o=$(share "$work/$case-1.png" "$area" "$other")
    c=$(changed "$work/$case-1.png" "$work/$case-2.png" "$area")
    note "monitor $m: desktop colour $s, other colour $o, moved $c pixels"
    above "$s" 0.05 || fail "$case: monitor $m does not show its desktop"
    if [ "$monitors" = 1 ]; then above "$o" 0.05 || fail "$case: the desktop's right half is missing"
    else above 0.01 "$o" || fail "$case: monitor $m shows the other monitor's desktop"; fi
    above "${c:-0}" 2000 || fail "$case: monitor $m does not move"
  done
  [ "$(playing_hosts)" = 1 ] || fail "$case: the music plays in $(playing_hosts) processes"
  local size1 size2
  size1=$(stat -c %s "$work/out/audio-$case.raw" 2>/dev/null || echo 0)
  sleep 0.5
  size2=$(stat -c %s "$work/out/audio-$case.raw" 2>/dev/null || echo 0)
  above "$size2" "$size1" || fail "$case: no music is played"

  as_user xscreensaver-command -deactivate >/dev/null 2>&1
  within 15 nothing_of_ours || fail "$case: still running a second after the end: $(pgrep -u "$uid" -a Quiverglide)"
  within 10 no_snapshot || fail "$case: the snapshot was left behind"
  [ "$(modes)" = "$before" ] || fail "$case: display modes changed from $before to $(modes)"

  as_user xscreensaver-command -exit >/dev/null 2>&1
  wait "$daemon" 2>/dev/null
  stop_server
}

preview_case() {
  case=preview
  note "$case: --window-id of a small window"
  start_server xvfb
  desktop 1024 768
  "$windows" small 100 100 320 240 >"$work/small-id" &
  started+=("$!")
  within 50 test -s "$work/small-id" || fail "$case: no small window"
  local id
  id=$(cat "$work/small-id")
  as_user "$command" --window-id "$id" >"$work/preview.log" 2>&1 &
  local host=$!
  started+=("$host")
  within 100 renderers_are 1 || fail "$case: no renderer"
  shots_until_moving 300 320x240+100+100 "$ORANGE"
  local area=320x240+100+100 s o c
  s=$(share "$work/$case-1.png" "$area" "$BLUE")
  o=$(share "$work/$case-1.png" "$area" "$ORANGE")
  c=$(changed "$work/$case-1.png" "$work/$case-2.png" "$area")
  note "window: blue $s, orange $o, moved $c pixels"
  above "$s" 0.03 && above "$o" 0.03 || fail "$case: the desktop is not shown in the window"
  above "${c:-0}" 300 || fail "$case: the window does not move"
  [ ! -s "$work/out/audio-$case.raw" ] && [ "$(playing_hosts)" = 0 ] || fail "$case: music in the preview"
  # Only the small window: the rest of the screen is still the desktop.
  s=$(share "$work/$case-1.png" 300x300+600+300 "$ORANGE")
  c=$(changed "$work/$case-1.png" "$work/$case-2.png" 300x300+600+300)
  above "$s" 0.5 && [ "${c:-1}" = 0 ] || fail "$case: the show went beyond its window"

  # Only the running host: the daemon may not have reaped the last case's yet.
  kill -TERM $(pgrep -u "$uid" -x Quiverglide.scr -r R,S,D)
  within 10 nothing_of_ours || fail "$case: still running a second after SIGTERM"
  within 10 no_snapshot || fail "$case: the snapshot was left behind"

  # A window id that names no window: the end, at once and quietly.
  local t0=$SECONDS
  as_user "$command" --window-id 0x7ffffff >"$work/nowindow.log" 2>&1
  [ $((SECONDS - t0)) -le 1 ] || fail "$case: a missing window took $((SECONDS - t0)) s"
  [ ! -s "$work/nowindow.log" ] || fail "$case: a missing window printed: $(cat "$work/nowindow.log")"
  nothing_of_ours || fail "$case: something runs for a missing window"
  stop_server
}

daemon_case one-monitor xvfb 1 1024 768
if [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
  daemon_case two-monitors xorg 2 1280 1024
else
  note "two monitors skipped: no dummy Xorg driver"
fi
preview_case

if [ "$failures" != 0 ]; then
  echo "$failures failure(s); the daemon's log:"
  tail -n 30 "$work"/daemon-*.log
  exit 1
fi
echo "all passed"
