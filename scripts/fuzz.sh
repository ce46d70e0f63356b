#!/bin/sh
# Fuzzes with libFuzzer, not part of the test run: the settings reader and its
# write-then-read round trip, the readers of server answers, split parts and
# master pages, and the map reader.
# Usage: scripts/fuzz.sh [seconds each, default 180] [settings|servers|maps]
set -eu
cd "$(dirname "$0")/.."
out=build/fuzz
seconds="${1:-180}"
only="${2:-}"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I."
mkdir -p "$out/corpus" "$out/servers-corpus" "$out/map-corpus"

if [ -z "$only" ] || [ "$only" = servers ]; then
  # shellcheck disable=SC2086
  clang++ $flags core/text.cpp servers/protocol.cpp fuzz/servers_fuzz.cpp -o "$out/servers_fuzz"
  "$out/servers_fuzz" -max_total_time="$seconds" -dict=fuzz/servers.dict -print_final_stats=1 \
    "$out/servers-corpus"
fi

if [ -z "$only" ] || [ "$only" = maps ]; then
  # shellcheck disable=SC2086
  clang++ $flags core/text.cpp core/file_io.cpp core/platform_file.cpp maps/bsp_reader.cpp \
    fuzz/map_fuzz.cpp -o "$out/map_fuzz"
  # Seeds: small whole maps, so the fuzzer starts past the header.
  clang++ -std=c++20 -O1 -I. maps/sample_map.cpp fuzz/map_seeds.cpp -o "$out/map_seeds"
  "$out/map_seeds" "$out/map-corpus"
  "$out/map_fuzz" -max_total_time="$seconds" -dict=fuzz/map.dict -max_len=65536 \
    -print_final_stats=1 "$out/map-corpus"
fi

if [ -z "$only" ] || [ "$only" = settings ]; then
  # shellcheck disable=SC2086
  clang++ $flags core/text.cpp core/file_io.cpp core/platform_file.cpp core/settings.cpp \
    fuzz/settings_fuzz.cpp -o "$out/settings_fuzz"
  # Each run writes its file many thousand times: keep that in memory when possible.
  if [ -d /dev/shm ]; then export TMPDIR=/dev/shm; fi
  "$out/settings_fuzz" -max_total_time="$seconds" -dict=fuzz/settings.dict \
    -print_final_stats=1 "$out/corpus"
fi
