#!/usr/bin/env bash
# Runs every test binary many times, each pinned to one processor that a
# second, lower-priority process keeps busy, while further processes keep
# every other processor busy. A test that waits on time instead of on an
# event, or a race that needs an unlucky schedule, shows up here long before
# CI meets it by chance.
#
#   scripts/stress-tests.sh [-b build-dir] [-n runs] [-j lanes] [-s shards] [-r regex]
#
#   -b  build tree whose tests/ binaries run (default build/release)
#   -n  runs of each binary (default 20)
#   -j  lanes: binaries run side by side, each pinned to a processor of its
#       own (default 1)
#   -s  split each binary's tests into this many shards, each a work item of
#       its own for the lanes (default 1; the program scenarios take minutes)
#   -r  only binaries whose name matches this extended regex
#
# Failed runs keep their output in <build-dir>/stress/; the summary lists
# each binary with its failed runs. Exits 1 when any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
runs=20
lanes=1
shards=1
regex=.
while getopts "b:n:j:s:r:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    n) runs=$OPTARG ;;
    j) lanes=$OPTARG ;;
    s) shards=$OPTARG ;;
    r) regex=$OPTARG ;;
    *) exit 2 ;;
  esac
done

cpus=$(nproc)
if ((lanes < 1 || lanes > cpus)); then
  echo "lanes must be between 1 and $cpus" >&2
  exit 2
fi

out=$PWD/$build/stress
rm -rf "$out"
mkdir -p "$out"

mapfile -t binaries < <(find "$build/tests" -type f -perm -u+x -name 'test_*' | grep -E "$regex" | sort)
if ((${#binaries[@]} == 0)); then
  echo "no test binaries under $build/tests" >&2
  exit 2
fi

# The load: a busy loop on every processor, niced on the lanes' own
# processors so that the test still runs there, just never alone.
load_pids=()
busy() { exec taskset -c "$1" nice -n "$2" bash -c 'while :; do :; done'; }
for ((cpu = 0; cpu < cpus; cpu++)); do
  if ((cpu < lanes)); then busy "$cpu" 10 & else busy "$cpu" 0 & fi
  load_pids+=($!)
done
stop_load() { kill "${load_pids[@]}" 2>/dev/null || true; }
trap stop_load EXIT

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp}

# Work items: "binary shard".
items=()
for bin in "${binaries[@]}"; do
  for ((k = 0; k < shards; k++)); do items+=("$bin $k"); done
done

# One lane: a display of its own, then every item of its share in turn.
lane() {
  local cpu=$1
  shift
  unset DISPLAY
  source scripts/xvfb.sh
  local item bin shard name log i
  for item in "$@"; do
    read -r bin shard <<<"$item"
    name=$(basename "$bin")
    for ((i = 1; i <= runs; i++)); do
      log="$out/$name.shard$shard.$i.log"
      if ! (cd "$(dirname "$bin")" && GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$shard \
        taskset -c "$cpu" "./$name") >"$log" 2>&1; then
        echo "$name shard $shard run $i" >>"$out/failed"
      else
        rm -f "$log"
      fi
    done
    echo "lane $cpu: $name shard $shard done ($runs runs)"
  done
}

lane_pids=()
for ((l = 0; l < lanes; l++)); do
  share=()
  for ((k = l; k < ${#items[@]}; k += lanes)); do share+=("${items[k]}"); done
  ((${#share[@]})) || continue
  lane "$l" "${share[@]}" &
  lane_pids+=($!)
  sleep 1 # each lane picks its display number in turn
done
for pid in "${lane_pids[@]}"; do wait "$pid"; done

if [[ -s $out/failed ]]; then
  echo "== failed runs (logs in $out):"
  sort "$out/failed" | awk '{print $1}' | uniq -c
  exit 1
fi
echo "== ${#binaries[@]} binaries, $runs runs each on a loaded processor: no failure"
