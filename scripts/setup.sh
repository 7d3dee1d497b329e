#!/usr/bin/env bash
# Installs every Debian package that the build, the tests and the programs need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git python3
  libhidapi-dev libudev-dev
  libjsoncpp-dev
  libcurl4-openssl-dev libssl-dev ca-certificates openssl
  libasound2-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev lld
  qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-svg-dev libgl-dev fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth
  libxcb-xinput-dev libxcb-xtest0-dev
  xdg-utils
  desktop-file-utils appstream dpkg-dev file
  dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages the build, the tests and the program need are installed"
  exit 0
fi
echo "setup: installing ${#missing[@]} Debian packages the build, the tests and the program need:"
echo "  ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"
