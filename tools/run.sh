#!/usr/bin/env bash
# Builds Quorvel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/ui/quorvel ]; then
  exec build/ui/quorvel "$@"
fi
echo "Built the name template engine and its tests. The Quorvel window is not part of this build yet."
