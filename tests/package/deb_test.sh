#!/usr/bin/env bash
# The Debian package as a user gets it, on this machine (as root; it installs
# and removes the package system-wide):
#  - `cpack -G DEB` in the Linux build makes quiverglide_<version>_<arch>.deb;
#    its control fields and its exact file list are checked;
#  - `apt-get install ./…deb` installs it (after removing a copy left by an
#    earlier run); the command, the man page, the desktop entry are checked;
#  - an unprivileged user runs the installed `quiverglide /s` in a private
#    Xvfb until frames are drawn and Escape ends it, then `quiverglide /c`:
#    the link names the installed README, and a saved setting lands in the
#    user's ~/.config/quiverglide/, not in the program folder;
#  - removing the package leaves none of its files, and the user's settings.
# Usage: bash tests/package/deb_test.sh [BUILD_FOLDER]   (default: build)
# With QG_PACKAGE_TEST_OUT=FOLDER, a failed run leaves its pictures and logs there.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$top/build}")
[ "$(id -u)" -eq 0 ] || { echo "deb_test: needs root (apt-get install)"; exit 1; }
[ -f "$build/CPackConfig.cmake" ] || { echo "deb_test: no CPack configuration in $build"; exit 1; }

user=qg-package-test
work=$(mktemp -d /tmp/qg-deb-XXXXXX)
chmod 755 "$work"
xvfb_pid=""
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

remove_package() {
  if dpkg-query -W -f='${Status}' quiverglide 2>/dev/null | grep -q 'installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quiverglide >/dev/null 2>&1 || dpkg --purge quiverglide >/dev/null
  fi
}
cleanup() {
  set +e
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  remove_package
  id "$user" >/dev/null 2>&1 && userdel -r "$user" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

# A copy left installed by an earlier, interrupted run must not count.
remove_package
id "$user" >/dev/null 2>&1 && userdel -r "$user" >/dev/null 2>&1 || true

echo "== cpack -G DEB"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
[ "$version" = "1.00" ] || fail "the package version is '$version', not the project's 1.00"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb="$work/out/quiverglide_${version}_${arch}.deb"
[ -f "$deb" ] || { ls -l "$work/out"; echo "FAIL: no $(basename "$deb")"; exit 1; }
pass "made $(basename "$deb")"

echo "== control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quiverglide ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[[ "$(field Maintainer)" =~ ^.+\ \<.+@.+\>$ ]] || fail "Maintainer: '$(field Maintainer)'"
description=$(field Description)
summary=$(head -n1 <<<"$description")
[ -n "$summary" ] && [ ${#summary} -le 80 ] || fail "the summary line: '$summary'"
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "no long description"
grep -q 'Escape ends the show' <<<"$description" || fail "the description does not say how the show ends"
depends=$(field Depends)
# Found by dpkg-shlibdeps from the programs' libraries, plus the dialog's font and Qt's Wayland plug-in.
for dep in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libopengl0 libglx0 libglu1-mesa libx11-6 libxrandr2 \
  libsdl2-2.0-0 libsndfile1 libcdio-paranoia2 libwayland-client0 libegl1 fonts-ipafont-gothic qt6-wayland; do
  tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | grep -qxF "$dep" || fail "Depends lacks $dep: $depends"
done
grep -q '(>= ' <<<"$depends" || fail "Depends has no version bounds (was dpkg-shlibdeps run?)"
pass "control: $(field Package) $(field Version) $(field Architecture); Depends: $depends"

echo "== file list"
# Every file and link of the package, without the folders.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { p = $6; for (i = 7; i <= NF; i++) p = p " " $i; print p }' | sort >"$work/files"
{
  echo "./usr/bin/quiverglide -> ../lib/quiverglide/Quiverglide.scr"
  echo "./usr/lib/quiverglide/Quiverglide.dll"
  echo "./usr/lib/quiverglide/Quiverglide.scr"
  echo "./usr/lib/quiverglide/fontconfig/quiverglide-fonts.conf"
  echo "./usr/share/applications/quiverglide-settings.desktop"
  echo "./usr/share/doc/quiverglide/README.md"
  (cd "$top/docs" && find . -type f | sed 's|^\./|./usr/share/doc/quiverglide/docs/|')
  echo "./usr/share/icons/hicolor/32x32/apps/quiverglide.png"
  echo "./usr/libexec/xscreensaver/Quiverglide.scr -> ../../lib/quiverglide/Quiverglide.scr"
  echo "./usr/share/xscreensaver/config/quiverglide.scr.xml"
  echo "./usr/share/man/man1/quiverglide.1.gz"
} | sort >"$work/expected"
if diff -u "$work/expected" "$work/files"; then pass "the file list is exactly as expected ($(wc -l <"$work/files") entries)"
else fail "the file list differs (- expected, + in the package)"; fi
dpkg-deb -c "$deb" | grep -E '\./usr/lib/quiverglide/Quiverglide\.(scr|dll)$' | grep -qv '^-rwxr-xr-x' \
  && fail "a program is not mode 755"

echo "== apt-get install ./$(basename "$deb")"
# Recommends (xdg-utils) are left out: the machine may have no network.
if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1; then
  cat "$work/apt.log"; echo "FAIL: apt-get install"; exit 1
fi
dpkg-query -W -f='${Status}\n' quiverglide | grep -q 'install ok installed' || fail "not installed"
[ "$(command -v quiverglide)" = /usr/bin/quiverglide ] || fail "quiverglide is not on the PATH"
[ "$(readlink -f /usr/bin/quiverglide)" = /usr/lib/quiverglide/Quiverglide.scr ] || fail "the command's target"
# Slimmed images tell dpkg to leave out manual pages and documents.
excluded() { grep -rqs "^path-exclude=*$1" /etc/dpkg/dpkg.cfg.d/; }
if excluded /usr/share/man; then
  echo "note: dpkg leaves out /usr/share/man on this machine; the man page is not read"
else
  man -w quiverglide >/dev/null 2>&1 || fail "man finds no page quiverglide"
  man_text=$(MANWIDTH=100 man quiverglide 2>/dev/null)  # plain text into a pipe
  for switch in '/s' '/c' '/p WINDOW'; do
    grep -q "^ *$switch" <<<"$man_text" || fail "the man page does not explain $switch"
  done
fi
desktop=/usr/share/applications/quiverglide-settings.desktop
grep -qx 'Name=Quiverglide Settings' "$desktop" || fail "desktop entry name"
grep -q '^Name\[ja\]=.' "$desktop" || fail "desktop entry has no Japanese name"
grep -qx 'Exec=quiverglide /c' "$desktop" || fail "desktop entry does not open /c"
grep -qx 'Icon=quiverglide' "$desktop" || fail "desktop entry icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
pass "installed: command, man page, desktop entry"

echo "== the installed show, as an unprivileged user, in a private Xvfb"
useradd -m -s /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
uid=$(id -u "$user")
# -noreset: the desktop picture and the user's access outlive the clients that set them.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset +extension GLX +extension RANDR \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q . "$work/display" 2>/dev/null && break; sleep 0.1; done
grep -q . "$work/display" || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xhost "+SI:localuser:$user" >/dev/null
# A desktop to photograph: the show is built of it.
bash "$top/scripts/make-desktop-picture" "$work/desktop.bmp" 1024x768
display -window root "$work/desktop.bmp" 2>/dev/null || true
# The user's own tools folder: an xdg-open that records what it is asked to open.
install -d -o "$user" "$home/bin"
printf '#!/bin/sh\nprintf "%%s" "$1" > "$HOME/opened.txt"\n' >"$home/bin/xdg-open"
chown "$user" "$home/bin/xdg-open"; chmod 755 "$home/bin/xdg-open"
as_user() {
  timeout 120 runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" DISPLAY="$DISPLAY" \
    PATH="$home/bin:/usr/local/bin:/usr/bin:/bin" LANG=C.UTF-8 "$@"
}
wait_window() {  # caption regex, seconds
  for _ in $(seq $(($2 * 10))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

as_user quiverglide /s 2>"$work/show-stderr.txt" &
show_pid=$!
if ! show_window=$(wait_window '^Wobblevista_VC$' 60); then
  cat "$work/show-stderr.txt"; fail "the show window did not appear"
else
  renderer_pid=$(pgrep -u "$user" -x Quiverglide.dll | head -n1 || true)
  [ -n "$renderer_pid" ] && [ "$(readlink "/proc/$renderer_pid/exe")" = /usr/lib/quiverglide/Quiverglide.dll ] \
    || fail "the renderer is not the installed /usr/lib/quiverglide/Quiverglide.dll"
  # The renderer draws: the picture changes from one moment to the next.
  sleep 3
  import -window root "$work/show-a.png"; sleep 1; import -window root "$work/show-b.png"
  changed=$(compare -metric AE "$work/show-a.png" "$work/show-b.png" null: 2>&1 | awk '{ print int($1) }' || true)
  [ "${changed:-0}" -gt 1000 ] || fail "the show does not move ($changed pixels changed in 1 s)"
  colours=$(convert "$work/show-b.png" -format %k info:)
  [ "$colours" -gt 100 ] || fail "the show has only $colours colours"
  [ -e "/tmp/kestrow-$uid/Wobblevista.bmp" ] || fail "no snapshot of the desktop during the show"
  xdotool key Escape
fi
set +e; wait "$show_pid"; code=$?; set -e
[ "$code" -eq 0 ] || { cat "$work/show-stderr.txt"; fail "the show ended with exit code $code"; }
[ ! -e "/tmp/kestrow-$uid/Wobblevista.bmp" ] || fail "the snapshot was left behind"
[ "$failures" -eq 0 ] && pass "the installed show ran as $user ($changed pixels moved in 1 s) and Escape ended it"

echo "== the installed settings dialog, as the same user"
click() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3"; sleep 0.15
  xdotool mousemove --window "$1" "$(($2 + 1))" "$3"; sleep 0.15
  xdotool click 1; sleep 0.2
}
as_user quiverglide /c 2>"$work/dialog-stderr.txt" &
dialog_pid=$!
if ! dialog=$(wait_window '^<Quiverglide>$' 30); then
  cat "$work/dialog-stderr.txt"; fail "the settings dialog did not appear"
  kill "$dialog_pid" 2>/dev/null || true
else
  click "$dialog" 42 214  # the link
  for _ in $(seq 50); do [ -s "$home/opened.txt" ] && break; sleep 0.1; done
  opened=$(cat "$home/opened.txt" 2>/dev/null || true)
  [ "$opened" = file:///usr/share/doc/quiverglide/README.md ] || fail "the link opened '$opened'"
  [ -f /usr/share/doc/quiverglide/README.md ] || excluded /usr/share/doc \
    || fail "the README the link names is not installed"
  click "$dialog" 68 78    # 音楽CD
  click "$dialog" 136 78   # the track box
  xdotool key ctrl+a type 7; sleep 0.2
  click "$dialog" 356 212  # 設定
fi
set +e; wait "$dialog_pid"; code=$?; set -e
[ "$code" -eq 0 ] || fail "the settings dialog ended with exit code $code"
ini="$home/.config/quiverglide/Quiverglide.ini"
expected_ini=$(printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=1\r\nBGM\xd8\xcb\xdf\xb0\xc4=7\r\nBGM\xcc\xa7\xb2\xd9=\r\n' | od -An -tx1)
[ -f "$ini" ] && [ "$(od -An -tx1 <"$ini")" = "$expected_ini" ] || fail "the per-user settings file: $(od -c "$ini" 2>&1 | head -5)"
[ "$(stat -c %U "$ini" 2>/dev/null)" = "$user" ] || fail "the settings file is not the user's"
[ ! -e /usr/lib/quiverglide/Quiverglide.ini ] || fail "settings were written into the program folder"
[ "$failures" -eq 0 ] && pass "/c saved the audio CD, track 7, into $ini"

echo "== removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quiverglide >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "apt-get remove"; }
dpkg-query -W -f='${Status}\n' quiverglide 2>/dev/null | grep -q ' installed' && fail "still installed after removal"
left=0
while read -r entry; do
  path=${entry%% -> *}; path=${path#.}
  if [ -e "$path" ] || [ -L "$path" ]; then echo "   left behind: $path"; left=$((left + 1)); fi
done <"$work/files"
for dir in /usr/lib/quiverglide /usr/share/doc/quiverglide; do
  [ -e "$dir" ] && { echo "   left behind: $dir"; left=$((left + 1)); }
done
[ "$left" -eq 0 ] || fail "$left files of the package are left after removal"
[ -f "$ini" ] || fail "removing the package took the user's settings"
[ "$failures" -eq 0 ] && pass "nothing of the package is left; the user's settings stay"

if [ "$failures" -ne 0 ]; then
  if [ -n "${QG_PACKAGE_TEST_OUT:-}" ]; then
    mkdir -p "$QG_PACKAGE_TEST_OUT"
    cp "$work"/*.png "$work"/*.txt "$work"/*.log "$QG_PACKAGE_TEST_OUT"/ 2>/dev/null || true
    echo "pictures and logs: $QG_PACKAGE_TEST_OUT"
  fi
  echo "deb_test: $failures failure(s)"
  exit 1
fi
echo "deb_test: all checks passed"
