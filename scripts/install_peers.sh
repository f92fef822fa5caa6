#!/usr/bin/env bash
# Installs the peer libraries the benchmarks compare against, from Debian packages,
# when missing.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in libfftw3-dev libsleef-dev libvolk2-dev libliquid-dev libsamplerate0-dev \
           libsoxr-dev libhwy-dev pkg-config; do
  have "$pkg" || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing benchmark peers: ${need[*]}"
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
fi
