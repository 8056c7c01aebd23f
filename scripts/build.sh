#!/usr/bin/env bash
# Configures and builds one build tree: `test` (Debug, the test suite),
# `release` (the program) or `bench` (Release with the benchmarks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-test}
case "$kind" in
  test) type=Debug ;;
  release|bench) type=Release ;;
  *) echo "usage: $0 [test|release|bench]" >&2; exit 2 ;;
esac

# ccache hits across clones in other folders, so CI rebuilds only what changed.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
export CCACHE_SLOPPINESS=pch_defines,time_macros

build="$root/build/$kind"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"
