#!/usr/bin/env bash
# Builds and runs every test: once in a normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the concurrency tests
# once more with ThreadSanitizer. Any failure or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp
# Tests that need a display get a virtual one.
source scripts/xvfb.sh

run_suite() {
  local dir=$1
  shift
  ctest --test-dir "$dir" --output-on-failure --timeout 600 -j "$jobs" "$@"
}

echo "== normal build"
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build/release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
bash scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Check -DZARVELO_SANITIZE=address
run_suite build/asan

echo "== ThreadSanitizer (concurrency tests)"
bash scripts/build.sh build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVELO_SANITIZE=thread \
  -- $(cat scripts/tsan-targets.txt)
run_suite build/tsan -L concurrency

echo "== all tests passed"
