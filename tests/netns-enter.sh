# Sourced (bash) by the scripts that run tests in private network namespaces.
#
#   enter_private_netns "WHAT" "TOOL..." "$0" "$@"
#
# Outside, runs the script again in a private network and mount namespace of
# its own (and never returns); inside, returns with the system folders on the
# PATH. Exits 77 (the tests' "skipped") with a message when the namespace
# cannot be made: not root, a TOOL missing, or the kernel refuses.
skip() { echo "SKIPPED: $*" >&2; exit 77; }

enter_private_netns() {
  local what=$1 tools=$2 tool
  shift 2
  if [ "${TILECREST_IN_NETNS:-}" != "1" ]; then
    [ "$(id -u)" -eq 0 ] || skip "$what need root to make private network namespaces"
    for tool in $tools; do
      command -v "$tool" >/dev/null 2>&1 || PATH="$PATH:/usr/sbin:/sbin" command -v "$tool" >/dev/null 2>&1 \
        || skip "$what need $tool (tools/setup.sh installs it)"
    done
    unshare --net --mount --propagation private true 2>/dev/null \
      || skip "this machine cannot make a private network namespace"
    export TILECREST_IN_NETNS=1
    exec unshare --net --mount --propagation private -- "$@"
  fi
  export PATH="$PATH:/usr/sbin:/sbin"
}
