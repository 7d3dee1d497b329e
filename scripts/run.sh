#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the morvek application with the given
# arguments (default: --demo, the emulated keyboard, mouse, mouse pad and headset).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
if [ $# -eq 0 ]; then
  set -- --demo
fi
exec ./build/bin/morvek "$@"
