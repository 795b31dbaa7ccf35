#!/usr/bin/env bash
# Builds Dayvell with its tests and benchmarks, then runs every test.
#   DAYVELL_SANITIZE=1 scripts/test.sh   builds into build-sanitize with ASan and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build
flags=()
if [[ "${DAYVELL_SANITIZE:-0}" == 1 ]]; then
  build=build-sanitize
  flags+=(-DDAYVELL_SANITIZE=ON)
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
