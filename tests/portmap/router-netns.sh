#!/usr/bin/env bash
# Runs a command in "home", one of three private network namespaces linked
# only to each other by veth pairs, none to this machine's own interfaces,
# so no NAT-PMP or SSDP packet can leave them:
#
#   home     10.77.0.2/24, default route through the router, and the global
#            IPv6 address 2a01:4f8:77::2/64 (the command)
#   router   10.77.0.1/24 towards home, 11.22.33.1/24 towards the internet,
#            forwarding, nftables masquerade on its outside interface; the
#            tests start Debian's miniupnpd in it with configurations of
#            their own
#   internet 11.22.33.2/24, where the joiner comes from
#
# 11.22.33.0/24 stands for the internet inside these namespaces only:
# miniupnpd refuses an outside address of a private or reserved range.
# TILECREST_ROUTER_OUTSIDE_NET=100.64.33 puts the router's outside on a
# shared (carrier-grade NAT) network instead, as a router behind a
# provider's. TILECREST_ROUTER_PID and TILECREST_INTERNET_PID name a process inside
# each of the other two, for `nsenter -t PID -n -m COMMAND`.
#
#   router-netns.sh COMMAND [ARGS...]
#
# With TILECREST_ROUTER_ISOLATED=1 there is no router and no internet: home
# has a veth pair of which both ends stay in it, and a default route over it
# through an address nobody has, so a request would be sent but cannot go
# anywhere, and nftables counts
# every UDP packet to port 1900 (SSDP) and 5351 (NAT-PMP) that leaves
# (table inet tcwatch). TILECREST_ROUTER_ISOLATED stays set for the command.
#
# Exits 77 (the tests' "skipped") with a message when this cannot be made:
# not root, no unshare, nft or miniupnpd, or the kernel refuses.
set -u
. "$(dirname "$0")/../netns-enter.sh"
enter_private_netns "router tests" "unshare nsenter ip nft miniupnpd" "$0" "$@"
outside=${TILECREST_ROUTER_OUTSIDE_NET:-11.22.33}
router_pid=""
internet_pid=""
cleanup() {
  for pid in $router_pid $internet_pid; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

ip link set lo up || skip "cannot bring up lo in the namespace"

if [ "${TILECREST_ROUTER_ISOLATED:-0}" = "1" ]; then
  ip link add tcout type veth peer name tcsink && ip link set tcsink up \
    && ip addr add 10.77.0.2/24 dev tcout && ip link set tcout up multicast on \
    && ip route add default via 10.77.0.1 || skip "cannot set up the closed link"
  nft -f - <<'NFT' || skip "cannot set up the packet counters"
table inet tcwatch {
  chain out {
    type filter hook output priority 0; policy accept;
    udp dport 1900 counter
    udp dport 5351 counter
  }
}
NFT
  "$@"
  exit $?
fi

# A namespace held by one process, made before it is linked.
hold() {
  unshare --net --mount --propagation private -- sleep 100000 </dev/null >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    [ "$(readlink /proc/$pid/ns/net 2>/dev/null)" != "$(readlink /proc/$$/ns/net)" ] && break
    sleep 0.05
  done
  [ "$(readlink /proc/$pid/ns/net 2>/dev/null)" != "$(readlink /proc/$$/ns/net)" ] || return 1
  echo "$pid"
}
router_pid=$(hold) || skip "cannot make the router's namespace"
internet_pid=$(hold) || skip "cannot make the internet's namespace"
router() { nsenter -t "$router_pid" -n -m -- "$@"; }
internet() { nsenter -t "$internet_pid" -n -m -- "$@"; }

ip link add thome type veth peer name rlan netns "$router_pid" || skip "cannot make a veth pair"
router ip link add rwan type veth peer name iwan netns "$internet_pid" || skip "cannot make the second veth pair"

ip addr add 10.77.0.2/24 dev thome && ip link set thome up multicast on \
  && ip route add default via 10.77.0.1 || skip "cannot set up home"
# A global IPv6 address of home's own, which the host names for players
# with IPv6 (the range is a real provider's; here it reaches nowhere).
# TILECREST_HOME_IPV6=1 tells the tests it is there (a kernel without IPv6
# has none).
ip -6 addr add 2a01:4f8:77::2/64 dev thome nodad 2>/dev/null && export TILECREST_HOME_IPV6=1
router sh -c 'ip link set lo up &&
  ip addr add 10.77.0.1/24 dev rlan && ip link set rlan up multicast on &&
  ip addr add '"$outside"'.1/24 dev rwan && ip link set rwan up &&
  echo 1 > /proc/sys/net/ipv4/ip_forward' || skip "cannot set up the router"
internet sh -c 'ip link set lo up && ip addr add '"$outside"'.2/24 dev iwan && ip link set iwan up' \
  || skip "cannot set up the internet"
# Home's machines reach the internet under the router's address; nothing
# from outside reaches home unless a mapping lets it in. miniupnpd puts its
# mappings in the chains of table inet miniupnpd (its configuration names
# them), which a router's own start-up makes, as here.
router nft -f - <<'NFT' || skip "cannot set up the router's nftables"
table inet miniupnpd {
  chain forward {
    type filter hook forward priority 0; policy drop;
    ct state established,related accept
    iifname "rlan" accept
    jump forward_miniupnpd
  }
  chain forward_miniupnpd {
  }
  chain prerouting {
    type nat hook prerouting priority -100; policy accept;
    jump prerouting_miniupnpd
  }
  chain postrouting {
    type nat hook postrouting priority 100; policy accept;
    jump postrouting_miniupnpd
    oifname "rwan" masquerade
  }
  chain prerouting_miniupnpd {
  }
  chain postrouting_miniupnpd {
  }
}
NFT
# Wait until the links carry traffic.
for _ in $(seq 50); do
  ip -o link show thome | grep -q 'state UP' && router ip -o link show rwan | grep -q 'state UP' && break
  sleep 0.1
done

export TILECREST_ROUTER_PID=$router_pid TILECREST_INTERNET_PID=$internet_pid
"$@"
rc=$?
exit $rc
