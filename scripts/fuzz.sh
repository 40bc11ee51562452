#!/usr/bin/env bash
# Runs the fuzz targets with libFuzzer for a while each and reports what they
# did. Needs clang (installed here when missing).
#   scripts/fuzz.sh [seconds per target] [parallel runs] [target...]
# Defaults: 60 seconds, one run at a time, every target. Findings (crashes,
# leaks, timeouts, runaway allocations) are kept in build/fuzz/findings/;
# turn each into a fixed fault plus a file in tests/fuzz/regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
parallel=${2:-1}
shift $(( $# > 2 ? 2 : $# ))

bash scripts/install-deps.sh
if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  SUDO=""; [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev >/dev/null
fi

build=build/fuzz
targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets < <(grep -o '^zarvelo_fuzz_target([a-z_]*' tests/fuzz/CMakeLists.txt | sed 's/.*(//')
fi

CC=clang CXX=clang++ bash scripts/build.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVELO_FUZZ=ON \
  -- fuzz_make_seeds "${targets[@]/#/fuzz_}"
rm -rf "$build/seeds"
"$build/tests/fuzz/fuzz_make_seeds" "$build/seeds"
mkdir -p "$build/findings" "$build/logs"

# Each target runs inside the logs folder: option texts may name files to
# write (pass log files, statistics), which then stay there.
run_target() {
  local t=$1 out=$root/$build
  mkdir -p "$out/corpus/$t" "$root/tests/fuzz/regressions/$t"
  local dict=()
  [[ -f $root/tests/fuzz/dicts/$t.dict ]] && dict=(-dict="$root/tests/fuzz/dicts/$t.dict")
  (cd "$out/logs" && ASAN_OPTIONS=detect_leaks=1 "$out/tests/fuzz/fuzz_$t" "${dict[@]}" \
     -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 \
     -artifact_prefix="$out/findings/$t-" "$out/corpus/$t" "$out/seeds/$t" \
     "$root/tests/fuzz/regressions/$t" >"$t.log" 2>&1) || true
}

export -f run_target
export root=$PWD build seconds
printf '%s\n' "${targets[@]}" | xargs -P "$parallel" -I{} bash -c 'run_target {}'

printf '%-14s %12s %9s %s\n' target execs corpus findings
for t in "${targets[@]}"; do
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$t.log" | grep -o '[0-9]*$' || echo "?")
  files=$(find "$build/corpus/$t" -type f | wc -l)
  found=$(find "$build/findings" -name "$t-*" | wc -l)
  printf '%-14s %12s %9s %s\n' "$t" "${execs:-?}" "$files" "$found"
done
