#!/usr/bin/env bash
# Builds the converter and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ ! -x build/release/app/zarvelo ]]; then
  echo "The converter's main window is not built yet; the engine and its tests are." >&2
  exit 1
fi
exec build/release/app/zarvelo "$@"
