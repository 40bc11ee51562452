#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh <build-dir> [extra cmake arguments...] [-- targets...]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=$1
shift
cmake_args=()
targets=()
while (($#)); do
  if [[ $1 == -- ]]; then shift; targets=("$@"); break; fi
  cmake_args+=("$1")
  shift
done

cmake -S . -B "$dir" -G Ninja "${cmake_args[@]}" >/dev/null
if ((${#targets[@]})); then
  cmake --build "$dir" --target "${targets[@]}"
else
  cmake --build "$dir"
fi
