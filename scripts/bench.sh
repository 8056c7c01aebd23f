#!/usr/bin/env bash
# Builds in Release and runs every benchmark (not part of the test suite).
# A benchmark that fails does not stop the others: the failures are named at
# the end, and the exit status is non-zero when there was one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" bench
failed=()
for b in "$root"/build/bench/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  status=0
  "$b" "$@" || status=$?
  [ "$status" -eq 0 ] || failed+=("$(basename "$b") (exit $status)")
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "== failed: ${failed[*]}"
  exit 1
fi
echo "== every benchmark ran"
