#!/usr/bin/env bash
# Fails when a C++ file under src/ or tests/ differs from what clang-format
# makes of it (the repository's .clang-format), and prints the command that
# fixes it. Run by ctest as check_format; by hand: scripts/check-format.sh [root]
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

if ! command -v clang-format >/dev/null; then
  echo "check_format: clang-format is not installed; run scripts/install-deps.sh" >&2
  exit 1
fi

mapfile -d '' files < <(find src tests \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
# Starting clang-format costs more than formatting a file, so each process
# checks a batch; only a batch that fails is checked again file by file, to
# name the files that differ.
mapfile -t differ < <(printf '%s\0' "${files[@]}" |
  xargs -0 -n 50 -P 4 sh -c '
    clang-format --dry-run -Werror "$@" >/dev/null 2>&1 && exit 0
    for f; do clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || echo "$f"; done' _ | sort)

if [ ${#differ[@]} -ne 0 ]; then
  echo "check_format: ${#differ[@]} file(s) are not formatted as .clang-format says:" >&2
  printf '  %s\n' "${differ[@]}" >&2
  echo "Fix them with:" >&2
  echo "  cd $root && clang-format -i ${differ[*]}" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
