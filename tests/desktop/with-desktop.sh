#!/usr/bin/env bash
# Runs a program on a fresh X server (Xvfb, 1024 x 768) managed by openbox,
# then stops both. Exits 77 (skipped) with a line saying why when either
# cannot start; otherwise with the program's own status.
set -u
skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v Xvfb >/dev/null || skip "no Xvfb on this machine (scripts/install-deps.sh installs xvfb)"
command -v openbox >/dev/null || skip "no openbox on this machine (scripts/install-deps.sh installs it)"

# Waits up to ten seconds for a file with something in it, while the process
# that writes it runs.
wait_for() {
  local file=$1 pid=$2
  for _ in $(seq 100); do
    [ -s "$file" ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

work=$(mktemp -d)
xvfb=
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number, so parallel runs never meet.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_for "$work/display" "$xvfb" || skip "no X server could start: $(tail -n 1 "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

# The window manager shows it is up by running its start-up command, which
# writes a file.
HOME="$work" XDG_CONFIG_HOME="$work" XDG_CACHE_HOME="$work" \
  openbox --sm-disable --startup "cp $work/display $work/wm-ready" >"$work/openbox.log" 2>&1 &
wm=$!
wait_for "$work/wm-ready" "$wm" || skip "the window manager could not start: $(tail -n 1 "$work/openbox.log")"

# Under the sanitizer: the X keyboard library hands strndup a buffer without a
# terminating zero, which strndup allows but the strict string check reports.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
QT_QPA_PLATFORM=xcb "$@"
