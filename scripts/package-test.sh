#!/usr/bin/env bash
# Builds the Debian package from an existing build (build/ or $BUILD_DIR), unpacks it into a
# temporary root (dpkg-deb -x: no root rights needed) and runs the unpacked programs there, from
# an unrelated working folder, as an installed copy would run: morvekctl against an emulated
# keyboard, and the window with emulated devices under the offscreen platform, saving its
# screenshots. Checks the package's contents and dependencies on the way.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="$(cd "${BUILD_DIR:-build}" && pwd)"
app_id=org.morvek.Morvek

fail() { echo "package-test: $*" >&2; exit 1; }

rm -rf "$build_dir/package"
log="$build_dir/package-test-cpack.log"
(cd "$build_dir" && cpack -G DEB >"$log" 2>&1) || { cat "$log" >&2; fail "cpack -G DEB failed"; }
deb=$(ls "$build_dir"/package/morvek_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no package in $build_dir/package"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libhidapi-hidraw0 libjsoncpp25 libqt6widgets6 libqt6svg6 libasound2; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root/install"
prefix="$root/install/usr"
for file in bin/morvek bin/morvekctl lib/morvek/libosConfLib.so \
            share/morvek/DefaultData/keyboard.Json share/morvek/skin/main.ui share/morvek/skin/lang/lan_en.xml \
            lib/udev/rules.d/70-morvek.rules share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$app_id.svg; do
  [ -f "$prefix/$file" ] || fail "the package lacks /usr/$file"
done
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$icon" ] || fail "the package lacks the ${size}px icon"
  # The PNG header's width and height (big-endian at bytes 16 and 20).
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4, $7*256+$8}')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "the ${size}px icon is ${width}x${height}"
done
cmp -s "$prefix/lib/udev/rules.d/70-morvek.rules" packaging/linux/70-morvek.rules ||
  fail "the packaged udev rule differs from packaging/linux/70-morvek.rules"

# A clean environment: a home, data and runtime folder of its own, and a working folder that
# holds nothing of the program.
mkdir -p "$root/home" "$root/runtime" "$root/cwd" "$root/shots"
chmod 700 "$root/runtime"
run() {
  (cd "$root/cwd" && env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_RUNTIME_DIR="$root/runtime" \
     QT_QPA_PLATFORM=offscreen "$@")
}

info=$(run "$prefix/bin/morvekctl" --emulate keyboard info keyboard) || fail "morvekctl info keyboard failed"
grep -q '^key slots  *[1-9]' <<<"$info" || fail "unexpected info output: $info"
grep -q '^macro memory  *[1-9][0-9]* bytes' <<<"$info" || fail "unexpected info output: $info"

# The headset's sound settings reach the installed audio library (lib/morvek).
mic=$(run "$prefix/bin/morvekctl" --emulate headset headset mic 5 2>&1) || fail "headset mic failed: $mic"
grep -q '^audio  *active' <<<"$mic" || fail "the installed program does not find its audio library: $mic"

run timeout 120 "$prefix/bin/morvek" --demo --screenshot="$root/shots" || fail "morvek --demo --screenshot failed"
for shot in keyboard mouse MousePad HD; do
  file="$root/shots/$shot.png"
  [ -s "$file" ] || fail "no screenshot $shot.png"
  [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$shot.png is not a PNG"
done
echo "package-test: $(basename "$deb") installs, morvekctl and morvek run from the unpacked package" \
     "($(ls "$root/shots" | wc -l) screenshots)"
