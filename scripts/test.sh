#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite, then the
# sanitizer run. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" test
(cd "$root/build/test" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${JOBS:-$(nproc)}" "$@")

# The sanitizer run: the whole suite when there are cores for a second full
# build, else the database layer and start-up (the program's libraries and two
# test executables: with ccache warm a few minutes on two cores).
# TAVRINA_ASAN=full or subset chooses by hand.
cores=${JOBS:-$(nproc)}
mode=${TAVRINA_ASAN:-$([ "$cores" -ge 8 ] && echo full || echo subset)}
start=$SECONDS
case "$mode" in
  full)
    echo "Sanitizer run: the whole suite ($cores cores)"
    "$root/scripts/test-asan.sh"
    ;;
  subset)
    echo "Sanitizer run: database layer and start-up only, test_platform_db and test_app" \
      "($cores cores; the whole suite runs from 8)"
    TARGET="test_platform_db test_app" "$root/scripts/test-asan.sh"
    ;;
  *)
    echo "TAVRINA_ASAN must be full or subset, not '$mode'" >&2
    exit 2
    ;;
esac
echo "Sanitizer run ($mode) passed in $((SECONDS - start)) s"
