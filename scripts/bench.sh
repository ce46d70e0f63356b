#!/bin/sh
# Builds the release preset and prints each figure beside its floor: start to
# first window against a bare Qt window, the main window over maps folders of
# 0 to 100,000 files against listing and sorting the same names, peak memory,
# GetPPS against a plain read, a map's tooltip and floor plan, and the server
# query engine over 1,000 fake servers against a plain loop. Each figure is the
# median of RUNS processes. Every server the bench asks is a fake on 127.0.0.1.
set -eu
cd "$(dirname "$0")/.."
RUNS=${RUNS:-5}
export QT_QPA_PLATFORM=offscreen

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target startup_bench map_list_bench settings_bench \
  server_query_bench gravelock-fake-servers server_list_bench map_info_bench >/dev/null
bin=build/release/bin

work=$(mktemp -d)
fake=
trap 'if [ -n "$fake" ]; then kill "$fake"; fi; rm -rf "$work"' EXIT INT TERM

# Median of field $1 over RUNS runs of the rest of the command line.
median() {
    field=$1
    shift
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        GRAVELOCK_BENCH_T0=$(date +%s%N) "$@" | cut -d' ' -f"$field"
        i=$((i + 1))
    done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# The start is measured as an installed program's: from a folder of its own
# (no portable orvo.ini beside it) with the player's settings file in place.
mkdir -p "$work/bin" "$work/config/Gravelock"
cp "$bin/startup_bench" "$work/bin/"
printf '[MISC]\r\nfirstuse=no\r\n' >"$work/config/Gravelock/orvo.ini"
export XDG_CONFIG_HOME="$work/config"

echo "== Start to first window (ms, median of $RUNS)"
bare_ms=$(median 1 "$work/bin/startup_bench" bare)
start_ms=$(median 1 "$work/bin/startup_bench" gravelock)
awk -v g="$start_ms" -v b="$bare_ms" 'BEGIN {
    printf "gravelock %8.1f   bare Qt window %8.1f   %.2fx (goal <= 1.30x)\n", g, b, g / b }'

echo "== Peak memory (MB)"
bare_kb=$(median 2 "$work/bin/startup_bench" bare)
start_kb=$(median 2 "$work/bin/startup_bench" gravelock)
awk -v g="$start_kb" -v b="$bare_kb" 'BEGIN {
    printf "gravelock splash %6.1f   bare Qt window %6.1f   +%.1f\n", g / 1024, b / 1024, (g - b) / 1024 }'

echo "== Main window over a maps folder (ms; memory MB)"
for n in 0 1000 20000 100000; do
    mkdir "$work/maps$n"
    [ "$n" -eq 0 ] || (cd "$work/maps$n" && seq -f 'dm_Map%06g.bsp' 1 "$n" | xargs touch)
done
echo "maps      window   extra    list+sort  extra/list   peak   extra MB"
for n in 0 1000 20000 100000; do
    ms=$(median 1 "$bin/map_list_bench" window "$work/maps$n")
    kb=$(median 2 "$bin/map_list_bench" window "$work/maps$n")
    list=$(median 1 "$bin/map_list_bench" list "$work/maps$n")
    # The empty folder is the base every other row adds to.
    [ "$n" -ne 0 ] || { empty_ms=$ms; empty_kb=$kb; }
    awk -v n="$n" -v ms="$ms" -v e="$empty_ms" -v l="$list" -v kb="$kb" -v ekb="$empty_kb" 'BEGIN {
        extra = ms - e
        ratio = l > 0.5 ? sprintf("%9.2fx", extra / l) : "        -"
        printf "%6d %8.1f %8.1f %10.1f %s %7.1f %9.1f\n", n, ms, extra, l, ratio, kb / 1024, (kb - ekb) / 1024 }'
done
echo "goals: 100,000 maps extra <= 2x list+sort and <= 25 MB; 20,000 maps window < 100 ms"

echo "== Looking into a map (ms, median of many runs in one process)"
"$bin/map_info_bench" tip | awk '{ printf "tooltip of a %.1f MB map %8.3f   (goal <= 1 ms)\n", $2 / 1048576, $1 }'
"$bin/map_info_bench" plan | awk '{ printf "floor plan of a %.1f MB map, %d lines: read %.1f, read and drawn %.1f at 100 %%, %.1f at 200 %%   (goal <= 100 ms)\n", $5 / 1048576, $4, $1, $2, $3 }'

echo "== GetPPS against a plain read"
"$bin/settings_bench"

echo "== Server queries: 1,000 fake servers on 127.0.0.1, answers after 0-50 ms, 5 % lost"
# One fake process serves every server and the master, which lists all of
# them on one page (the engine waits 1.5 s between pages, a plain loop would
# not: one page keeps the comparison about the queries).
"$bin/gravelock-fake-servers" 1000 50 5 1000 >"$work/fake.port" &
fake=$!
while [ ! -s "$work/fake.port" ]; do sleep 0.1; done
master=$(cat "$work/fake.port")
"$bin/server_query_bench" engine "$master" >"$work/check"
read -r _ answered silent _ _ <"$work/check"
echo "answered $answered, given up $silent (of 1000)"
engine_ms=$(median 1 "$bin/server_query_bench" engine "$master")
floor_ms=$(median 1 "$bin/server_query_bench" floor "$master")
stall_ms=$(median 4 "$bin/server_query_bench" engine "$master")
bytes=$(median 5 "$bin/server_query_bench" engine "$master")
awk -v e="$engine_ms" -v f="$floor_ms" -v s="$stall_ms" -v b="$bytes" 'BEGIN {
    printf "engine %8.1f ms   plain loop %8.1f ms   %.2fx (goal <= 1.50x)\n", e, f, e / f
    printf "longest event-loop stall %.1f ms (goal <= 50)   heap %.0f bytes per server (goal <= 10 KB)\n", s, b }'

echo "== Server list: the same 1,000 servers through the window, 5,000 rows in its model"
list_ms=$(median 1 "$bin/server_list_bench" window "$master")
list_rows=$(median 2 "$bin/server_list_bench" window "$master")
list_stall=$(median 3 "$bin/server_list_bench" window "$master")
fill_ms=$(median 1 "$bin/server_list_bench" model)
sort_ms=$(median 2 "$bin/server_list_bench" model)
filter_ms=$(median 3 "$bin/server_list_bench" model)
awk -v l="$list_ms" -v r="$list_rows" -v s="$list_stall" -v f="$fill_ms" -v o="$sort_ms" \
    -v i="$filter_ms" 'BEGIN {
    printf "refresh %.1f ms, %d rows, longest event-loop stall %.1f ms (goal <= 50)\n", l, r, s
    printf "5,000 rows: filled %.1f ms, sorted %.1f ms, filtered %.1f ms (goal <= 50 each)\n", f, o, i }'
