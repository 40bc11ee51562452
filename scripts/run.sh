#!/usr/bin/env bash
# Builds the converter and starts it.
set -euo pipefail
# Files to add, named from the caller's folder before this one changes it.
files=()
for name in "$@"; do files+=("$(realpath -m -- "$name")"); done
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Only the program and what it needs: the tests and benchmarks are built by
# scripts/test.sh.
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -- zarvelo
exec build/release/app/zarvelo "${files[@]}"
