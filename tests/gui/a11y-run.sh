#!/usr/bin/env bash
# Runs a test binary on an X server of its own (Xvfb, on a display it picks
# itself) with Qt's AT-SPI bridge on, inside a private D-Bus session bus, so
# what the program tells a screen reader reaches the test and a reader can
# walk the window (TILECREST_XVFB_SCREEN sets the screen, default
# 1280x1024x24). Everything it starts ends with it. Exits 77 (skipped)
# when Xvfb, dbus-run-session or the AT-SPI bus launcher is missing.
set -u
bin="$1"
shift
for tool in Xvfb dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/setup.sh installs it)"; exit 77; }
done
if [ ! -e /usr/share/dbus-1/services/org.a11y.Bus.service ]; then
  echo "skipped: the AT-SPI bus (at-spi2-core) is not installed"
  exit 77
fi
tmp=$(mktemp -d)
xpid=""
cleanup() {
  if [ -n "$xpid" ]; then kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 "${TILECREST_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xpid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
if [ ! -s "$tmp/display" ]; then
  echo "skipped: Xvfb did not start"; cat "$tmp/xvfb.log"; exit 77
fi
mkdir -m 700 "$tmp/run"
DISPLAY=":$(head -n1 "$tmp/display")" XDG_RUNTIME_DIR="$tmp/run" HOME="$tmp" \
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=1 \
  dbus-run-session -- sh -c '
    # The accessibility bus is started on demand; Qt only looks for one
    # that runs already.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null || exit 77
    exec "$0" "$@"' "$bin" "$@" \
  2> >(grep -v -E "^dbus-daemon\[|SpiRegistry daemon is running|X connection to .* broken" >&2)
