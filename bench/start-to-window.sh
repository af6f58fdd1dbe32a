#!/bin/bash
# Times the organiser from its start to the X server's map event of its window (median of RUNS
# starts under Xvfb), with its resident memory SETTLE ms after that, the peak while starting, and
# the time from a session end's SIGTERM to the process's end (its last save included), and from the
# last write of a data file to that end.
#   bench/start-to-window.sh PROGRAM DATA_DIR [RUNS]
# DATA_DIR holds the data files (build/…/bench/marevo_bench --write-data DIR 100000); it is copied
# for each start, so every start reads the same files.
set -euo pipefail
program=$(realpath "$1")
data=$(realpath "$2")
runs=${3:-10}
here=$(dirname "$(realpath "$0")")
timer=${WINDOW_MAP_TIME:-$(dirname "$program")/../../bench/window_map_time}
settle=${SETTLE_MS:-3000}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
mkdir -p "$work/home"
trap 'kill $xvfb; rm -rf "$work"' EXIT
sleep 1
results=()
for ((i = 0; i < runs; i++)); do
    rm -rf "$work/data" && cp -r "$data" "$work/data"
    # A home of its own (kept across the starts, like a user's caches): no desktop session's settings.
    result=$(env -i PATH="$PATH" HOME="$work/home" DISPLAY="$display" XDG_RUNTIME_DIR="$work" \
        dbus-run-session -- "$timer" "Marevo Notes" "$settle" "$work/data" "$program" --data-dir "$work/data" 2>/dev/null |
        tail -1)
    echo "start $((i + 1)): $result" >&2
    results+=("$result")
done
printf '%s\n' "${results[@]}" | sort -n -k1 | awk '{ map[NR] = $1 } END { printf "map ms: median %s (min %s, max %s)\n", map[int((NR + 1) / 2)], map[1], map[NR] }'
for column in 2 3 4 5; do
    name=$(case $column in 2) echo "resident KB";; 3) echo "peak KB";; 4) echo "end ms";; 5) echo "end ms after the last write";; esac)
    printf '%s\n' "${results[@]}" | awk -v c=$column '{ print $c }' | sort -n |
        awk -v n="$name" '{ v[NR] = $1 } END { printf "%s: median %s (min %s, max %s)\n", n, v[int((NR + 1) / 2)], v[1], v[NR] }'
done
