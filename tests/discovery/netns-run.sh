#!/usr/bin/env bash
# Runs a command inside a private network and mount namespace that holds its
# own D-Bus system bus and Avahi daemon, seeing only the namespace's loopback
# interface, so no multicast ever leaves this machine. Both daemons are
# stopped by their process ids when the command ends.
#
#   netns-run.sh COMMAND [ARGS...]
#
# With TILECREST_NETNS_AVAHI=0 only the bus is started, no Avahi daemon.
#
# Exits 77 (the tests' "skipped") with a message when the namespace cannot be
# made: not root, no unshare, no avahi-daemon or dbus-daemon, or the kernel
# refuses.
set -u
skip() { echo "SKIPPED: $*" >&2; exit 77; }

if [ "${TILECREST_IN_NETNS:-}" != "1" ]; then
  [ "$(id -u)" -eq 0 ] || skip "discovery tests need root to make a private network namespace"
  for tool in unshare ip dbus-daemon avahi-daemon; do
    command -v "$tool" >/dev/null 2>&1 || PATH="$PATH:/usr/sbin:/sbin" command -v "$tool" >/dev/null 2>&1 \
      || skip "discovery tests need $tool (tools/setup.sh installs it)"
  done
  unshare --net --mount --propagation private true 2>/dev/null \
    || skip "this machine cannot make a private network namespace"
  export TILECREST_IN_NETNS=1
  exec unshare --net --mount --propagation private -- "$0" "$@"
fi

export PATH="$PATH:/usr/sbin:/sbin"
work=$(mktemp -d /tmp/tilecrest-netns.XXXXXX)
dbus_pid=""
avahi_pid=""
cleanup() {
  [ -n "$avahi_pid" ] && kill "$avahi_pid" 2>/dev/null
  [ -n "$dbus_pid" ] && kill "$dbus_pid" 2>/dev/null
  for pid in $avahi_pid $dbus_pid; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  rm -rf "$work"
}
trap cleanup EXIT

# Only this namespace's loopback exists; nothing reaches another machine.
ip link set lo up || skip "cannot bring up lo in the namespace"
ip link set lo multicast on 2>/dev/null

# The daemons' sockets and pid files live on private mounts: the machine's
# own system bus and Avahi (if any) stay untouched and unseen.
for dir in /run/dbus /run/avahi-daemon; do
  mkdir -p "$dir" && mount -t tmpfs -o mode=0755 tmpfs "$dir" || skip "cannot mount a private $dir"
done

dbus_pid=$(dbus-daemon --system --fork --print-pid) || skip "cannot start a private D-Bus system bus"
dbus_pid=${dbus_pid%%$'\n'*}

if [ "${TILECREST_NETNS_AVAHI:-1}" = "0" ]; then
  "$@"
  rc=$?
  exit $rc
fi

cat >"$work/avahi-daemon.conf" <<CONF
[server]
host-name=tilecrest-test
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
allow-point-to-point=yes
ratelimit-interval-usec=1000000
ratelimit-burst=1000
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
[reflector]
[rlimits]
CONF

avahi-daemon --no-drop-root --no-chroot --no-rlimits -f "$work/avahi-daemon.conf" >"$work/avahi.log" 2>&1 &
avahi_pid=$!

# Ready when the daemon answers on the bus and reports it is running (2).
ready=0
for _ in $(seq 100); do
  state=$(dbus-send --system --print-reply --dest=org.freedesktop.Avahi / org.freedesktop.Avahi.Server.GetState 2>/dev/null | awk '/int32/ {print $2}')
  if [ "$state" = "2" ]; then ready=1; break; fi
  kill -0 "$avahi_pid" 2>/dev/null || break
  sleep 0.1
done
if [ "$ready" != "1" ]; then
  cat "$work/avahi.log" >&2
  skip "the private Avahi daemon did not start"
fi

"$@"
rc=$?
exit $rc
