#!/bin/sh
# Fuzzes with libFuzzer, not part of the test run: the settings reader and its
# write-then-read round trip, the readers of server answers, split parts and
# master pages, and the map reader.
# Usage: scripts/fuzz.sh [seconds each, default 180] [settings|servers|maps]
set -eu
cd "$(dirname "$0")/.."
out=build/fuzz
bin=$out/bin
seconds="${1:-180}"
only="${2:-}"
# The fuzzers are CMake targets on the libraries the program links.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p "$out/corpus" "$out/servers-corpus" "$out/map-corpus"

if [ -z "$only" ] || [ "$only" = servers ]; then
  "$bin/servers_fuzz" -max_total_time="$seconds" -dict=fuzz/servers.dict -print_final_stats=1 \
    "$out/servers-corpus"
fi

if [ -z "$only" ] || [ "$only" = maps ]; then
  # Seeds: small whole maps, so the fuzzer starts past the header.
  "$bin/map_seeds" "$out/map-corpus"
  "$bin/map_fuzz" -max_total_time="$seconds" -dict=fuzz/map.dict -max_len=65536 \
    -print_final_stats=1 "$out/map-corpus"
fi

if [ -z "$only" ] || [ "$only" = settings ]; then
  # Each run writes its file many thousand times: keep that in memory when possible.
  if [ -d /dev/shm ]; then export TMPDIR=/dev/shm; fi
  "$bin/settings_fuzz" -max_total_time="$seconds" -dict=fuzz/settings.dict \
    -print_final_stats=1 "$out/corpus"
fi
