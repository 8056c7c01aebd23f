#!/usr/bin/env bash
# Configures and builds one build tree: `test` (Debug, the test suite),
# `release` (the program), `bench` (Release with the benchmarks) or `asan`
# (Debug under AddressSanitizer and UndefinedBehaviorSanitizer). TARGET names
# the targets to build instead of all of them, separated by blanks (the
# program alone: tavrina).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-test}
extra=()
case "$kind" in
  test) type=Debug ;;
  release|bench) type=Release ;;
  asan) type=Debug; extra=(-DTAVRINA_SANITIZE=ON) ;;
  *) echo "usage: $0 [test|release|bench|asan]" >&2; exit 2 ;;
esac

# ccache hits across clones in other folders, so CI rebuilds only what changed.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
export CCACHE_SLOPPINESS=pch_defines,time_macros

build="$root/build/$kind"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${extra[@]}" >/dev/null
target=()
# shellcheck disable=SC2206 # a list of target names, split on blanks
[ -n "${TARGET:-}" ] && target=(--target ${TARGET})
cmake --build "$build" -j"${JOBS:-$(nproc)}" "${target[@]}"
