#!/usr/bin/env bash
# Takes the documentation's screenshots: `morvek --demo --screenshot` under Xvfb, the settings
# window included, with a local update service (tests/support/update_server.py) that offers a
# new keyboard firmware and a new version of the program, and the settings window once more
# without a service ("settings-not-reached.png"). The user's own folders are not used.
# Usage: scripts/screenshots.sh [FOLDER]   (default docs/screenshots; build first)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs/screenshots}")"
work="$(mktemp -d)"
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/certs" "$work/files" "$work/data" "$work/cache" "$work/config/MorvekGamingKeyboard"
[ -n "${SCREENSHOT_LANGUAGE:-}" ] && printf "[General]\nLANGUAGE=%s\n" "$SCREENSHOT_LANGUAGE" >"$work/config/MorvekGamingKeyboard/MorvekGamingKeyboard.ini"
printf '!<arch>\ndebian-binary\n' >"$work/files/morvek_0.2.0_amd64.deb"
head -c 65536 /dev/zero >"$work/files/keyboard_0300.bin"
echo '{}' >"$work/config.json"

python3 tests/support/update_server.py --certs "$work/certs" --files "$work/files" \
  --config "$work/config.json" --log "$work/requests.log" >"$work/port" &
server=$!
for _ in $(seq 100); do grep -q '^PORT ' "$work/port" 2>/dev/null && break; sleep 0.1; done
port="$(sed -n 's/^PORT //p' "$work/port")"
[ -n "$port" ] || { echo "screenshots: the local update service did not start" >&2; exit 1; }
files="https://127.0.0.1:$port/files"
cat >"$work/config.json" <<JSON
{"answers": {
  "MORVEK_1_MVKKB_K764E_1": {"version": "300", "version_name": "3.00", "device_id": 2,
                             "path": "$files/keyboard_0300.bin"},
  "MORVEK_0_ALL_APP_1": {"version": "20", "version_name": "0.2.0", "device_id": 1,
                         "path": "$files/morvek_0.2.0_amd64.deb"}
}}
JSON

MORVEK_UPDATE_ENDPOINT="https://127.0.0.1:$port/" MORVEK_UPDATE_CA_FILE="$work/certs/ca.pem" \
  MORVEK_DATA_DIR="$work/data" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a ./build/bin/morvek --demo --screenshot="$out"
# The settings window when the update service cannot be reached (nothing listens on port 1).
mkdir -p "$work/unreached"
MORVEK_UPDATE_ENDPOINT="https://127.0.0.1:1/" \
  MORVEK_DATA_DIR="$work/data" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a ./build/bin/morvek --demo --screenshot="$work/unreached"
cp "$work/unreached/settings.png" "$out/settings-not-reached.png"
echo "screenshots in $out"
