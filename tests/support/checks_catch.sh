#!/usr/bin/env bash
# The layer and format checks fail on a tree that breaks them, and say how to fix it.
set -uo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$tree"/src/{platform/db,platform/os,backup/zip,core/helpers,core} "$tree/tests"
cp "$scripts/../.clang-format" "$tree/"
printf '#include "core/DataModule1.h"\n' >"$tree/src/platform/db/Bad.cpp"
printf '#include <QWidget>\n' >"$tree/src/backup/zip/Bad.cpp"
printf '#include <QtWidgets/QLabel>\n' >"$tree/src/core/helpers/Bad.h"
printf '#include "platform/ui/Dialogs.h"\n' >"$tree/src/core/helpers/Bad.cpp"
printf '#include "platform/os/System.h"\n#include <QWidget>\n' >"$tree/src/core/Good.cpp"

out=$(python3 "$scripts/check-layers.py" "$tree" "$@" 2>&1) && fail "layers passed a bad tree"
for line in "src/platform/db/Bad.cpp:1" "src/backup/zip/Bad.cpp:1" "src/core/helpers/Bad.h:1" \
            "src/core/helpers/Bad.cpp:1"; do
  grep -q "^$line:" <<<"$out" || fail "layers did not name $line: $out"
done
grep -q "core/Good.cpp" <<<"$out" && fail "layers refused a good include: $out"

rm -r "$tree/src"
printf 'int main( ) {return 0;}\n' >"$tree/tests/Ugly.cpp"
printf 'int main() { return 0; }\n' >"$tree/tests/Fine.cpp"
out=$("$scripts/check-format.sh" "$tree" 2>&1) && fail "format passed an unformatted file"
grep -q "clang-format -i tests/Ugly.cpp$" <<<"$out" || fail "format did not give the fixing command: $out"
echo "checks catch what they should"
