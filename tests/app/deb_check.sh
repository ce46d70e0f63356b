#!/usr/bin/env bash
# Builds the .deb of a build folder, unpacks it, and starts the unpacked
# program as a first-time player would: the per-user orvo.ini must appear,
# made from the template, and nothing may be written beside the program.
#   deb_check.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pack" >/dev/null
deb=$(ls "$work"/pack/*.deb)

listing=$(dpkg-deb -c "$deb")
for path in ./usr/bin/gravelock ./usr/share/applications/$id.desktop \
            ./usr/share/metainfo/$id.metainfo.xml ./usr/share/gravelock/orvo.ini \
            ./usr/share/doc/gravelock/copyright \
            ./usr/share/icons/hicolor/48x48/apps/$id.png \
            ./usr/share/icons/hicolor/256x256/apps/$id.png; do
  grep -q " $path\$" <<<"$listing" || { echo "missing in package: $path"; echo "$listing"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || { echo "section is not games"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || { echo "library scan missing: $depends"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  "$work/root/usr/bin/gravelock" &
pid=$!

settings="$work/config/Gravelock/orvo.ini"
for _ in $(seq 100); do
  [ -s "$settings" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "program ended early"; exit 1; }
  sleep 0.1
done
# The program would wait for the player now; the file is all this check needs.
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=

[ -s "$settings" ] || { echo "no $settings"; exit 1; }
tr -d '\r' <"$settings" | grep -qx 'firstuse=yes' || { echo "per-user file lacks firstuse=yes"; cat "$settings"; exit 1; }
beside=$(ls -A "$work/root/usr/bin")
[ "$beside" = gravelock ] || { echo "written beside the program: $beside"; exit 1; }
echo "package ok: $(basename "$deb")"
