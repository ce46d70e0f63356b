#!/usr/bin/env bash
# Installs a build folder into STAGE/usr and checks that exactly the expected
# files land there: the program alone in bin/, the rest under share/.
#   install_check.sh BUILD_DIR APP_ID STAGE
set -euo pipefail
build=$1 id=$2 stage=$3

rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null

expected="./bin/gravelock
./share/applications/$id.desktop
./share/doc/gravelock/copyright
./share/gravelock/orvo.ini
./share/icons/hicolor/256x256/apps/$id.png
./share/icons/hicolor/48x48/apps/$id.png
./share/metainfo/$id.metainfo.xml"
actual=$(cd "$stage/usr" && find . -type f -o -type l | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  echo "installed files differ:"; diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

for size in 48 256; do
  got=$(identify -format '%wx%h' "$stage/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$got" = "${size}x${size}" ] || { echo "icon ${size}: $got"; exit 1; }
done
tr -d '\r' <"$stage/usr/share/gravelock/orvo.ini" | grep -qx 'firstuse=yes' || { echo "template lacks firstuse=yes"; exit 1; }
echo "install tree ok"
