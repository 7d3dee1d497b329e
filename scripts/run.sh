#!/usr/bin/env bash
# Installs what the build needs, builds, and starts morvekctl with the given arguments
# (default: the emulated keyboard, mouse, mouse pad and headset, listed).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
if [ $# -eq 0 ]; then
  set -- --emulate keyboard,mouse,pad,headset devices
fi
exec ./build/bin/morvekctl "$@"
