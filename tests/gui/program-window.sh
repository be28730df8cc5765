#!/bin/sh
# program-window.sh BIN_DIR: the real game program as a player starts it,
# run under with-xvfb.sh. Its window is mapped on the X server with its
# title; its icon, set just after the map, reaches the X server; its first
# sound (the player entering the solo game) loads the sound module from
# beside the program; SIGTERM ends it with status 0; and it prints nothing
# on the console from start to end.
set -u
bin=${1:?usage: program-window.sh BIN_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/tilecrest-window.XXXXXX") || exit 1
pid=""
finish() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "program-window: $*" >&2
  [ -s "$work/stderr" ] && { echo "its console:" >&2; cat "$work/stderr" >&2; }
  exit 1
}
# Polls COMMAND every 0.1 s for up to 20 s.
within() {
  i=0
  while [ "$i" -lt 200 ]; do
    "$@" && return 0
    sleep 0.1
    i=$((i + 1))
  done
  return 1
}

# A fresh player: own folders, own single-instance name, no buses to ask.
# A portable copy keeps its settings and tally beside itself: it runs from a
# copy of its own (with its sound module), never from the build's shared folder.
mkdir -p "$work/home" "$work/runtime" "$work/tmp" "$work/program"
cp "$bin/tilecrest" "$bin/tilecrest-sound.so" "$work/program/" || fail "cannot copy the program from $bin"
bin="$work/program"
chmod 700 "$work/runtime"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
  USER="tilecrest-window-test" QT_QPA_PLATFORM=xcb \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" \
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus" \
  "$bin/tilecrest" >"$work/stdout" 2>"$work/stderr" &
pid=$!

# No window manager: the game's window is a child of the root.
window=""
find_window() {
  window=$(xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) "Tilecrest": ("tilecrest" "Tilecrest") .*/\1/p' | head -n 1)
  [ -n "$window" ] && xwininfo -id "$window" | grep -q "Map State: IsViewable"
}
within find_window || fail "no mapped window titled \"Tilecrest\""

has_icon() { xprop -id "$window" _NET_WM_ICON | grep -q "Icon ("; }
within has_icon || fail "the window has no icon on the X server: $(xprop -id "$window" _NET_WM_ICON)"

has_module() { grep -q "^.* $bin/tilecrest-sound\.so$" "/proc/$pid/maps" 2>/dev/null; }
within has_module || fail "the first sound did not load $bin/tilecrest-sound.so"

kill -TERM "$pid"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "SIGTERM ended it with status $status"
[ -s "$work/stderr" ] && fail "it printed on the console"
exit 0
