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
# With TILECREST_NETNS_PEER=1 a second namespace stands for another machine:
# joined to the first by a veth pair (198.18.77.1 here, 198.18.77.2 there,
# a range kept for tests), with its own bus and Avahi daemon, each daemon
# on its end of the pair only. TILECREST_PEER_PID names a process inside
# it, for `nsenter -t PID -n -m COMMAND`.
#
# Exits 77 (the tests' "skipped") with a message when the namespace cannot be
# made: not root, no unshare, no avahi-daemon or dbus-daemon, or the kernel
# refuses.
set -u
. "$(dirname "$0")/../netns-enter.sh"
enter_private_netns "discovery tests" "unshare ip dbus-daemon avahi-daemon" "$0" "$@"
work=$(mktemp -d /tmp/tilecrest-netns.XXXXXX)
dbus_pid=""
avahi_pid=""
peer_pid=""
peer_dbus_pid=""
peer_avahi_pid=""
cleanup() {
  for pid in $peer_avahi_pid $peer_dbus_pid $avahi_pid $dbus_pid $peer_pid; do
    kill "$pid" 2>/dev/null
  done
  for pid in $peer_avahi_pid $peer_dbus_pid $avahi_pid $dbus_pid $peer_pid; do
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
export TILECREST_NETNS_BUS_PID=$dbus_pid

if [ "${TILECREST_NETNS_AVAHI:-1}" = "0" ]; then
  "$@"
  rc=$?
  exit $rc
fi

interfaces=lo
if [ "${TILECREST_NETNS_PEER:-0}" = "1" ]; then
  # The other machine: a namespace held by one process, made before it is
  # linked (the pair's far end is moved into it by that process's id).
  unshare --net --mount --propagation private -- sleep 100000 &
  peer_pid=$!
  for _ in $(seq 100); do
    [ "$(readlink /proc/$peer_pid/ns/net 2>/dev/null)" != "$(readlink /proc/$$/ns/net)" ] && break
    sleep 0.05
  done
  [ "$(readlink /proc/$peer_pid/ns/net 2>/dev/null)" != "$(readlink /proc/$$/ns/net)" ] \
    || skip "cannot make the second namespace"
  ip link add tcnear type veth peer name tcfar netns "$peer_pid" || skip "cannot make a veth pair"
  ip addr add 198.18.77.1/24 dev tcnear && ip link set tcnear up multicast on || skip "cannot set up the veth pair"
  peer() { nsenter -t "$peer_pid" -n -m -- "$@"; }
  peer sh -c 'ip link set lo up && ip addr add 198.18.77.2/24 dev tcfar && ip link set tcfar up multicast on' \
    || skip "cannot set up the far end of the veth pair"
  peer sh -c 'for d in /run/dbus /run/avahi-daemon; do mkdir -p $d && mount -t tmpfs -o mode=0755 tmpfs $d || exit 1; done' \
    || skip "cannot mount the second namespace's private /run"
  peer_dbus_pid=$(peer dbus-daemon --system --fork --print-pid) || skip "cannot start the second namespace's bus"
  peer_dbus_pid=${peer_dbus_pid%%$'\n'*}
  interfaces=lo,tcnear
  export TILECREST_PEER_PID=$peer_pid
fi

# One daemon's configuration: its host name and interfaces.
avahi_conf() {
cat <<CONF
[server]
host-name=$1
use-ipv4=yes
use-ipv6=no
allow-interfaces=$2
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
}
avahi_conf tilecrest-test "$interfaces" >"$work/avahi-daemon.conf"

avahi-daemon --no-drop-root --no-chroot --no-rlimits -f "$work/avahi-daemon.conf" >"$work/avahi.log" 2>&1 &
avahi_pid=$!

# Ready when the daemon answers on the bus and reports it is running (2).
wait_ready() {  # PID LOG [nsenter prefix...]
  local pid=$1 log=$2 state
  shift 2
  for _ in $(seq 100); do
    state=$("$@" dbus-send --system --print-reply --dest=org.freedesktop.Avahi / org.freedesktop.Avahi.Server.GetState 2>/dev/null | awk '/int32/ {print $2}')
    [ "$state" = "2" ] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$log" >&2
  return 1
}
wait_ready "$avahi_pid" "$work/avahi.log" || skip "the private Avahi daemon did not start"

if [ -n "$peer_pid" ]; then
  avahi_conf tilecrest-peer tcfar >"$work/peer-avahi.conf"
  nsenter -t "$peer_pid" -n -m -- avahi-daemon --no-drop-root --no-chroot --no-rlimits -f "$work/peer-avahi.conf" \
    >"$work/peer-avahi.log" 2>&1 &
  peer_avahi_pid=$!
  wait_ready "$peer_avahi_pid" "$work/peer-avahi.log" nsenter -t "$peer_pid" -n -m -- \
    || skip "the second namespace's Avahi daemon did not start"
fi

"$@"
rc=$?
exit $rc
