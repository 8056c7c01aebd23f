#!/usr/bin/env bash
# Installs what is missing, builds the program alone in Release (not the tests
# or the benchmarks) and starts it. The compiler's output goes to a log file
# (build/release-build.log; the one before it is kept as
# release-build.previous.log); the terminal shows one line of progress, and the
# log only when the build fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

mkdir -p "$root/build"
log="$root/build/release-build.log"
if [ -f "$log" ]; then mv -f "$log" "$root/build/release-build.previous.log"; fi
: >"$log"
set +e
TARGET=tavrina "$root/scripts/build.sh" release 2>&1 | while IFS= read -r line; do
  printf '%s\n' "$line" >>"$log"
  if [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
    printf '\rBuilding Tavrina: %s of %s steps' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
  fi
done
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  printf '\n'
  cat "$log" >&2
  echo "The build failed; its log is in $log" >&2
  exit "$status"
fi
grep -q '^\[' "$log" && printf '\n'
exec "$root/build/release/src/app/tavrina" "$@"
