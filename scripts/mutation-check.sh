#!/usr/bin/env bash
# Measures what the test suite catches: applies each fault of a list, one at
# a time, to a scratch copy of the working tree, rebuilds, runs the tests and
# reports the faults no test caught. Not run by CI (it rebuilds once per fault).
#
#   bash scripts/mutation-check.sh [LIST] [-- ID ...]
#
# LIST (default scripts/mutations.txt) has one fault per line, fields parted
# by " ¦ " (code has "|" and "||" in it):
#   ID ¦ linux or windows ¦ path ¦ text as it stands ¦ text with the fault ¦ what the fault is
# The text must stand exactly once in the file. "linux" faults are judged by
# the Linux build's tests, "windows" faults by the Windows build's tests under
# Wine; all Windows faults share one Wine prefix and one Xorg, made once by
# scripts/test-windows.sh. A failing run is tried again once, so that a test
# failing by chance on a busy machine does not count as a catch.
# Results go to mutation-results.txt in the scratch folder and to stdout.
set -euo pipefail

# A suite fails only if its failing tests fail again. The first run stops at
# the first failure; after a failure that does not repeat, the whole suite runs.
suite_passes() {  # build-dir ctest-timeout [ctest-args]
  local t=(ctest --test-dir "$1" -j "$jobs" --timeout "$2" "${@:3}")
  "${t[@]}" --stop-on-failure >"$1.test.log" 2>&1 && return 0
  "${t[@]}" --rerun-failed >>"$1.test.log" 2>&1 || return 1
  "${t[@]}" >>"$1.test.log" 2>&1 && return 0
  "${t[@]}" --rerun-failed >>"$1.test.log" 2>&1
}

# One fault: apply, rebuild, test, put back. Prints "ID VERDICT  what".
judge() {  # build-dir ctest-timeout id path before after what
  local build=$1 timeout=$2 id=$3 path=$4 before=$5 after=$6 what=$7 verdict=MISSED
  if [ ! -f "$path" ] || [ "$(grep -cF -- "$before" "$path")" != 1 ]; then
    echo "$id BROKEN (text not found once in $path)"; return
  fi
  cp -p "$path" "$path.orig"
  BEFORE="$before" AFTER="$after" python3 -c '
import os, sys
p = sys.argv[1]; s = open(p, encoding="utf-8").read()
open(p, "w", encoding="utf-8").write(s.replace(os.environ["BEFORE"], os.environ["AFTER"], 1))' "$path"
  if ! cmake --build "$build" -j "$jobs" >"$build.log" 2>&1; then
    verdict="CAUGHT (build)"
  elif ! "$suite" "$build" "$timeout"; then
    verdict="CAUGHT ($(grep -v '(Skipped)' "$build.test.log" | grep -m1 -oE '[0-9]+ - [^ ]+ \(' | sed 's/^[0-9]* - //; s/ ($//'))"
  fi
  mv "$path.orig" "$path"
  touch "$path"
  echo "$id $verdict  $what"
}

# Runs the faults of one platform from the parsed list (tab-separated).
run_faults() {  # platform build-dir ctest-timeout faults results
  local platform=$1 build=$2 timeout=$3 faults=$4 results=$5 id where path before after what
  while IFS=$'\t' read -r id where path before after what; do
    [ "$where" = "$platform" ] || continue
    judge "$build" "$timeout" "$id" "$path" "$before" "$after" "$what" </dev/null | tee -a "$results"
  done <"$faults"
}

jobs=${QG_JOBS:-$(nproc)}
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache

suite=suite_passes

# A new Wine session, which reads the monitors anew.
new_wine_session() { { wineserver -k; wineserver -w; wineserver -p; wine cmd /c exit </dev/null; } >/dev/null 2>&1 || true; }

# The Windows suite as scripts/test-windows.sh runs it: on one monitor, then
# the covers' tests with a second output turned on.
windows_suite_passes() {  # build-dir ctest-timeout
  suite_passes "$1" "$2" || return 1
  xrandr --addmode DUMMY1 1280x1024 >/dev/null 2>&1 || true
  xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 >/dev/null 2>&1 || return 0
  xrandr >/dev/null
  new_wine_session
  local ok=0
  QG_WINE_TWO_MONITORS=1 suite_passes "$1" "$2" -R '^win\.RendererCoverTest' || ok=1
  xrandr --output DUMMY1 --off
  new_wine_session
  return $ok
}

# Called back by scripts/test-windows.sh inside its Wine set-up.
if [ "${1:-}" = "--wine-faults" ]; then
  faults=$2 results=$3 build=${QG_WIN_BUILD:-build-win} suite=windows_suite_passes
  echo "== the Windows suite must pass unchanged first"
  "$suite" "$build" 180 ||
    { echo "the unchanged Windows build fails its tests (see $PWD/$build.test.log)"; exit 1; }
  # A fault may leave the display switched, a program running or a folder
  # made, and all of them outlive the test that found it: each fault starts
  # from the size the server had and a fresh Wine prefix, made as
  # scripts/test-windows.sh makes its own.
  size=$(xrandr | sed -n 's/.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
  grep -P '^[^\t]*\twindows\t' "$faults" | while IFS= read -r line; do
    printf '%s\n' "$line" >"$faults.one"
    run_faults windows "$build" 180 "$faults.one" "$results"
    {
      wineserver -k; wineserver -w
      xrandr -s "$size"
      rm -rf "$WINEPREFIX"
      wineboot -i
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
      wineserver -w; wineserver -p
      wine cmd /c exit </dev/null
    } >/dev/null 2>&1 || true
  done
  exit 0
fi

top=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$top/scripts/mutations.txt}
shift || true
[ "${1:-}" = "--" ] && shift
scratch=${QG_MUTATION_DIR:-/tmp/qg-mutation}

echo "== scratch copy in $scratch"
mkdir -p "$scratch"
# The scratch builds stay between runs; every file copied is dated now, so
# that an object built with an earlier run's fault is never taken as up to
# date (ccache keeps the rebuild short).
mkdir -p "$scratch/src"
find "$scratch/src" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
tar -C "$top" --exclude='./build*' --exclude='./.git' -cf - . | tar -C "$scratch/src" -xmf -
cd "$scratch/src"
export CCACHE_BASEDIR=$scratch/src

faults=$scratch/faults.tsv
python3 - "$list" "$@" >"$faults" <<'PY'
import sys
only = set(sys.argv[2:])
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\n")
    if not line.strip() or line.lstrip().startswith("#"):
        continue
    f = [x.strip() for x in line.split(" ¦ ")]
    if len(f) != 6:
        sys.exit("malformed fault line: " + line)
    if not only or f[0] in only:
        print("\t".join(f))
PY
results=$scratch/mutation-results.txt
: >"$results"

if cut -f2 "$faults" | grep -qx linux; then
  echo "== the Linux suite must pass unchanged first"
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQG_BENCH=OFF >/dev/null
  cmake --build build -j "$jobs" >build.log 2>&1 || { echo "the unchanged tree does not build"; exit 1; }
  suite_passes build 300 ||
    { echo "the unchanged tree fails its tests (see $scratch/src/build.test.log)"; exit 1; }
  run_faults linux build 300 "$faults" "$results"
fi
if cut -f2 "$faults" | grep -qx windows; then
  QG_WIN_BUILD=build-win QG_JOBS=$jobs \
    QG_WINE_RUN="bash $scratch/src/scripts/mutation-check.sh --wine-faults $faults $results" \
    bash scripts/test-windows.sh
fi

caught=$(grep -c ' CAUGHT' "$results" || true)
missed=$(grep -c ' MISSED' "$results" || true)
broken=$(grep -c ' BROKEN' "$results" || true)
echo "caught $caught of $((caught + missed)) faults, missed $missed, $broken entries not applicable" | tee -a "$results"
grep ' MISSED' "$results" | sed 's/^/  missed: /' || true
