#!/usr/bin/env bash
# with-xvfb.sh COMMAND [ARG...]
#
# Runs COMMAND under an X server of its own, so GUI tests map, frame, focus
# and paint real windows on the xcb platform as on a desktop, never on the
# caller's screen. Xvfb picks a free display number itself (-displayfd), so
# any number of these run side by side, for one person or several; only
# clients holding this run's cookie may connect; the server is ended when
# COMMAND ends (and dies with this script should it be killed). Exits with
# COMMAND's status.
#
# TILECREST_XVFB_SCREEN sets the screen (default 1920x1200x24).
set -u

if ! command -v Xvfb >/dev/null 2>&1 || ! command -v xauth >/dev/null 2>&1; then
    echo "with-xvfb.sh: Xvfb and xauth are needed (tools/setup.sh installs them)" >&2
    exit 1
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/tilecrest-xvfb.XXXXXX") || exit 1
xvfb_pid=""
child=""
finish() {
    [ -n "$child" ] && kill "$child" 2>/dev/null
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# One cookie for this run, valid for whatever display number the server
# takes (family "wild").
: >"$dir/auth"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
printf 'ffff 0000  0000  0012 4d49542d4d414749432d434f4f4b49452d31  0010 %s\n' "$cookie" |
    xauth -q -f "$dir/auth" nmerge - || exit 1

# The server writes its display number to the pipe once it takes
# connections. setpriv ends it should this script be killed outright.
mkfifo "$dir/ready"
deathsig=()
command -v setpriv >/dev/null 2>&1 && deathsig=(setpriv --pdeathsig KILL --)
"${deathsig[@]}" Xvfb -displayfd 3 -auth "$dir/auth" -nolisten tcp -noreset \
    -screen 0 "${TILECREST_XVFB_SCREEN:-1920x1200x24}" 3>"$dir/ready" >"$dir/log" 2>&1 &
xvfb_pid=$!
number=""
read -r -t 20 number <"$dir/ready"
if ! [[ "$number" =~ ^[0-9]+$ ]]; then
    echo "with-xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi

# Only this server: not the caller's display, session or Wayland.
unset WAYLAND_DISPLAY
export DISPLAY=":$number" XAUTHORITY="$dir/auth" QT_QPA_PLATFORM=xcb
"$@" &
child=$!
wait "$child"
exit $?
