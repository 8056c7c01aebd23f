#!/usr/bin/env bash
# Builds the suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (build/asan) and runs every test; exits non-zero on a failure or a finding.
# TARGET names test executables to build and run instead of all of them
# (TARGET="test_platform_db test_app").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" asan
cd "$root/build/asan"
export ASAN_OPTIONS=detect_stack_use_after_return=1:detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp"
only=()
if [ -n "${TARGET:-}" ]; then
  # The tests of the targets built, and a failure when the names match none.
  read -ra names <<<"$TARGET"
  only=(-R "^($(IFS='|'; echo "${names[*]}"))\$" --no-tests=error)
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${JOBS:-$(nproc)}" "${only[@]}" "$@"
