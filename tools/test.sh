#!/usr/bin/env bash
# Builds and runs every test: the unit tests, the same tests under the address
# and undefined-behaviour sanitizers, and a short fuzzing session (clang).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

jobs=$(nproc)
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
build build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-fuzz --output-on-failure
ctest --test-dir build --output-on-failure -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
