#!/usr/bin/env bash
# Installs what the build, the game and the tests need, only when missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-multimedia-dev libqt6multimedia6 qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev liblz4-dev
  fonts-liberation2 fonts-dejavu-core
  desktop-file-utils appstream
  xvfb xauth x11-utils
  libqt6dbus6 dbus dbus-daemon avahi-daemon avahi-utils iproute2 util-linux
  xvfb at-spi2-core python3-pyatspi
  libminiupnpc-dev libnatpmp-dev nftables miniupnpd-nftables
  # the fuzz targets and what their corpora reach (fuzz/README.md)
  clang libclang-rt-14-dev llvm-14
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  # Packages must not start their services here: the discovery tests run
  # their own Avahi daemon inside a private network namespace, and one on
  # this machine's own interfaces would send multicast to the network.
  policy=/usr/sbin/policy-rc.d
  made_policy=""
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
    $SUDO chmod 755 "$policy"
    made_policy=1
  fi
  # The router tests run miniupnpd inside private namespaces only; as a
  # service on this machine it would answer the local network. It is told
  # not to start, and masked so that no boot starts it either.
  if printf '%s\n' "${missing[@]}" | grep -qx miniupnpd-nftables; then
    echo 'miniupnpd miniupnpd/start_daemon boolean false' | $SUDO debconf-set-selections 2>/dev/null || true
    $SUDO mkdir -p /etc/systemd/system
    $SUDO ln -sfn /dev/null /etc/systemd/system/miniupnpd.service
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}" || status=$?
  if [ -n "$made_policy" ]; then $SUDO rm -f "$policy"; fi
  [ "${status:-0}" -eq 0 ] || exit "$status"
fi
