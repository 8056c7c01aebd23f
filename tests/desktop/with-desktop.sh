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
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || skip "no X server could start: $(tail -n 1 "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

# The window manager tells it is up by running its start-up command.
HOME="$work" XDG_CONFIG_HOME="$work" XDG_CACHE_HOME="$work" \
  openbox --sm-disable --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
  [ -e "$work/wm-ready" ] && break
  kill -0 "$wm" 2>/dev/null || break
  sleep 0.1
done
[ -e "$work/wm-ready" ] || skip "the window manager could not start: $(tail -n 1 "$work/openbox.log")"

QT_QPA_PLATFORM=xcb "$@"
