#!/bin/sh
# bench/startup.sh BUILD_DIR [PAIRS]: the game's start-up as a person sees it,
# from the command to its window mapped on an X server (and first painted:
# map_timer tells), against a minimal
# Qt 6 window (minimal_window) in the same run. The two are started in turn,
# A B A B ..., PAIRS times (default 15) after one warm-up each, on an Xvfb of
# their own (a free display number, a black root, never reset between
# clients) with a fresh home folder, and compared pair by pair, so a
# machine whose speed drifts still compares fairly.
# Needs -DTILECREST_BUILD_BENCH=ON (map_timer, minimal_window), Xvfb, python3.
set -eu
build=${1:?usage: bench/startup.sh BUILD_DIR [PAIRS]}
pairs=${2:-15}
game="$build/bin/tilecrest"
minimal="$build/bin/minimal_window"
timer="$build/bin/map_timer"
for f in "$game" "$minimal" "$timer"; do
  [ -x "$f" ] || { echo "startup.sh: $f is missing (build with -DTILECREST_BUILD_BENCH=ON)" >&2; exit 2; }
done

work=$(mktemp -d /tmp/tilecrest-startup.XXXXXX)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display and writes its number once it is ready.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset -br 3>"$work/displayfd" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display <"$work/displayfd"
export DISPLAY=":$display"

# A copy run from its own folder keeps its files beside itself: a copy of
# it here, so nothing is left beside the build's.
mkdir -p "$work/bin"
cp "$game" "$work/bin/tilecrest"
game="$work/bin/tilecrest"
mkdir -p "$work/home/.config" "$work/home/.local/share" "$work/home/.cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
# Nothing outside the run is asked: no session or system bus.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus"

run() { "$timer" "$@" 2>>"$work/errors"; }
run "$game" >/dev/null
run "$minimal" >/dev/null
i=0
while [ "$i" -lt "$pairs" ]; do
  printf 'A %s\n' "$(run "$game")" >>"$work/runs"
  printf 'B %s\n' "$(run "$minimal")" >>"$work/runs"
  i=$((i + 1))
done

# The game alone once more, each time until its table is drawn: its window's
# first colour is the table's background, set before the map.
i=0
while [ "$i" -lt "$pairs" ]; do
  printf 'D %s\n' "$(run --until-drawn "$game")" >>"$work/runs"
  i=$((i + 1))
done

python3 - "$work/runs" "$pairs" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if len(l.split()) == 6]
a = [list(map(float, r[1:])) for r in rows if r[0] == 'A']
b = [list(map(float, r[1:])) for r in rows if r[0] == 'B']
n = min(len(a), len(b))
if n == 0:
    sys.exit("startup.sh: no run mapped a window")
def row(name, f, unit):
    xa = [f(r) for r in a[:n]]; xb = [f(r) for r in b[:n]]
    ratio = [p / q for p, q in zip(xa, xb) if q > 0]
    print(f"{name:<27} {statistics.median(xa):9.1f} {statistics.median(xb):9.1f} {unit:<4}"
          f"  ratio median {statistics.median(ratio):.2f} (min {min(ratio):.2f}, max {max(ratio):.2f})")
print(f"{n} pairs; A = tilecrest, B = minimal Qt window; medians, and A/B pair by pair")
row("command to mapped", lambda r: r[0], "ms")
row("CPU to the paint", lambda r: r[1] + r[2], "ms")
row("peak memory to the paint", lambda r: r[3] / 1024, "MiB")
row("command to painted", lambda r: r[4], "ms")
d = [list(map(float, l.split()[1:])) for l in open(sys.argv[1]) if l.startswith('D ') and len(l.split()) == 7]
if d:
    print(f"tilecrest alone, {len(d)} runs: command to the table drawn {statistics.median([r[5] for r in d]):.1f} ms, "
          f"CPU {statistics.median([r[1] + r[2] for r in d]):.1f} ms, peak memory {statistics.median([r[3] for r in d]) / 1024:.1f} MiB (medians)")
PY
if [ -s "$work/errors" ]; then echo "notes:"; sort "$work/errors" | uniq -c; fi
