#!/usr/bin/env bash
# Measures what the test suite catches: applies each fault of a list, one at
# a time, to a scratch copy of the working tree, rebuilds, runs the tests and
# reports the faults no test caught. Not run by CI (it rebuilds once per fault).
#
#   bash scripts/mutation-check.sh [LIST] [-- ID ...]
#
# LIST (default scripts/mutations.txt) has one fault per line:
#   ID | linux or windows | path | text as it stands | text with the fault | what the fault is
# The text must stand exactly once in the file. "linux" faults are judged by
# the Linux build's tests, "windows" faults by the Windows build's tests under
# Wine. Results go to mutation-results.txt in the scratch folder and to stdout.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$top/scripts/mutations.txt}
shift || true
[ "${1:-}" = "--" ] && shift
only=("$@")
scratch=${QG_MUTATION_DIR:-/tmp/qg-mutation}
jobs=${QG_JOBS:-$(nproc)}

echo "== scratch copy in $scratch"
mkdir -p "$scratch"
rsync -a --delete --exclude '/build*' --exclude '/.git' "$top/" "$scratch/src/"
cd "$scratch/src"
export CCACHE_BASEDIR=$scratch/src

linux_ready=0 windows_ready=0
build_linux() {
  if [ $linux_ready -eq 0 ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQG_BENCH=OFF >/dev/null
    linux_ready=1
  fi
  cmake --build build -j "$jobs" >build.log 2>&1
}
test_linux() { ctest --test-dir build -j "$jobs" --timeout 300 --stop-on-failure >test.log 2>&1; }
build_windows() { QG_WIN_BUILD=build-win QG_JOBS=$jobs bash scripts/test-windows.sh >test.log 2>&1; }

echo "== the suite must pass unchanged first"
build_linux || { echo "the unchanged tree does not build"; exit 1; }
test_linux || { echo "the unchanged tree fails its tests (see $scratch/src/test.log)"; exit 1; }

results=$scratch/mutation-results.txt
: >"$results"
caught=0 missed=0 broken=0
while IFS='|' read -r id where path before after what; do
  id=$(echo "$id" | xargs)
  [[ -z "$id" || "$id" == \#* ]] && continue
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $id "* ]]; then continue; fi
  where=$(echo "$where" | xargs); path=$(echo "$path" | xargs)
  before=$(echo "$before" | sed 's/^ //; s/ $//'); after=$(echo "$after" | sed 's/^ //; s/ $//')
  if [ ! -f "$path" ] || [ "$(grep -cF -- "$before" "$path")" != 1 ]; then
    echo "$id BROKEN (text not found once in $path)" | tee -a "$results"
    broken=$((broken + 1)); continue
  fi
  cp "$path" "$path.orig"
  BEFORE="$before" AFTER="$after" python3 -c '
import os, sys
p = sys.argv[1]; s = open(p, encoding="utf-8").read()
open(p, "w", encoding="utf-8").write(s.replace(os.environ["BEFORE"], os.environ["AFTER"], 1))' "$path"
  verdict=MISSED
  if [ "$where" = windows ]; then
    build_windows || verdict=CAUGHT
  else
    if ! build_linux; then verdict="CAUGHT (build)"; elif ! test_linux; then verdict=CAUGHT; fi
  fi
  mv "$path.orig" "$path"
  touch "$path"
  [ "$verdict" = MISSED ] && missed=$((missed + 1)) || caught=$((caught + 1))
  echo "$id $verdict  $what" | tee -a "$results"
done <"$list"
total=$((caught + missed))
echo "caught $caught of $total faults, missed $missed, $broken entries not applicable" | tee -a "$results"
