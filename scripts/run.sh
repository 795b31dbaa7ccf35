#!/usr/bin/env bash
# Builds Dayvell, installs it into its program folder and starts it there.
# The diary lives in that folder, never in the build tree.
#   DAYVELL_HOME=/path/to/folder scripts/run.sh   installs somewhere else
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

prefix="${DAYVELL_HOME:-$HOME/Dayvell}"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DDAYVELL_BUILD_TESTS=OFF -DDAYVELL_BUILD_BENCH=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)"
cmake --install build-release --prefix "$prefix" >/dev/null
echo "Dayvell is installed in $prefix"

# Menu entry pointing at the installed program.
applications="$HOME/.local/share/applications"
mkdir -p "$applications"
sed -e "s|^Exec=.*|Exec=\"$prefix/dayvell\"|" -e "s|^Icon=.*|Icon=$prefix/dayvell.svg|" \
    "$prefix/dayvell.desktop" > "$applications/dayvell.desktop"
exec "$prefix/dayvell" "$@"
