#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine lacks to build, run and test zor.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-14 libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev qt6-qpa-plugins libgl-dev
  fonts-liberation fonts-dejavu-core
  libssh-dev libtelnet-dev libcups2-dev
  libgtest-dev libbenchmark-dev
  # Peers that the tests start on loopback.
  socat openssh-server openssh-client cups-daemon cups-client busybox-static
  # `ss`, which tells when a peer listens.
  iproute2
  # The socket backend for the raw test queues comes with cups, not cups-daemon.
  cups
  # Xlib and xcb: the program asks the X server about held keys; the X11
  # tests take the keyboard from a client of their own.
  libx11-dev libxcb1-dev
  xvfb xdotool x11-utils imagemagick
  # Printed PDFs are read back by the tests.
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
