#!/usr/bin/env bash
# Kills the program's save paths with SIGKILL at random moments and checks
# what each kill left after the start-up's recovery: every table file sound,
# each employee's month of a payroll save old or new whole, every table of a
# backup or restore old or new, a new company whole or absent, and every
# archive under its final name sound.
#   scripts/crash-trials.sh [trials of each kind, default 100]
# CRASH_TRIAL names the driver (default: the test build's).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trials=${1:-100}
driver=${CRASH_TRIAL:-$root/build/test/tests/crash/crash_trial}
[ -x "$driver" ] || { echo "No driver at $driver: run scripts/build.sh test first" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrina-crash.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The trials run a copy: a rebuild meanwhile replaces the build's driver.
cp "$driver" "$work/crash_trial"
driver=$work/crash_trial

# A copy of a HOME without its database configuration, whose alias names
# the folder copied; the driver makes the alias of the copy.
copy_home() {
  rm -rf "$2" && cp -a "$1" "$2" && rm -rf "$2/.config"
}

# The driver under a HOME of its own.
in_home() {
  local home=$1; shift
  HOME=$home XDG_CONFIG_HOME=$home/.config "$driver" "$@"
}

now_ms() { date +%s%3N; }

mkdir -p "$work/pristine"
in_home "$work/pristine" prepare all >"$work/prepare.log" 2>&1 || { cat "$work/prepare.log" >&2; exit 1; }

total=0
for kind in payroll backup restore company; do
  # One run to its end: how long it takes and what it leaves.
  copy_home "$work/pristine" "$work/whole"
  start=$(now_ms)
  in_home "$work/whole" run "$kind"
  span=$(( $(now_ms) - start ))
  in_home "$work/pristine" snapshot "$kind" >"$work/before"
  in_home "$work/whole" snapshot "$kind" >"$work/after"

  partly=0
  for ((i = 1; i <= trials; i++)); do
    home=$work/trial
    copy_home "$work/pristine" "$home"
    # The driver itself in the background (not a shell around it), so the
    # kill reaches it.
    HOME=$home XDG_CONFIG_HOME=$home/.config "$driver" run "$kind" >/dev/null 2>&1 &
    pid=$!
    # The kill falls anywhere in the save path, or just after it.
    while [ ! -e "$home/started" ] && kill -0 "$pid" 2>/dev/null; do sleep 0.005; done
    delay=$(( RANDOM % (span + span / 5 + 1) ))
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! result=$(in_home "$home" check "$kind" "$work/before" "$work/after" 2>&1); then
      echo "$kind trial $i: $result"
      echo "$((total + i)) trials, 1 lost"
      exit 1
    fi
    for zip in "$home"/backup/*.zip; do
      [ -e "$zip" ] || continue
      if ! unzip -tqq "$zip" >/dev/null 2>&1; then
        echo "$kind trial $i: the archive $(basename "$zip") is damaged"
        echo "$((total + i)) trials, 1 lost"
        exit 1
      fi
    done
    if [[ $result =~ sound:\ ([0-9]+)\ units\ as\ before,\ ([0-9]+)\ as\ after ]] &&
      [ "${BASH_REMATCH[1]}" -gt 0 ] && [ "${BASH_REMATCH[2]}" -gt 0 ]; then
      partly=$((partly + 1))
    fi
  done
  total=$((total + trials))
  echo "$kind: $trials trials (a run takes about $span ms), 0 lost, $partly left partly done"
done
echo "$total trials, 0 lost"
