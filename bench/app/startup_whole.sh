#!/bin/bash
# Whole-process start-up: from starting the real program on a generated 20-year diary (offscreen
# platform) until it reports its main window shown with today's entry, beside an empty Qt window
# started and reported the same way in the same run. Medians of several runs.
# usage: bench/app/startup_whole.sh [build folder] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-15}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/run"
chmod 700 "$root/run"
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/run"

"$build/bench/bench_startup" --prepare "$root" >/dev/null 2>&1
sync # the freshly written diary reaches the disk before the timed starts, not during them

# Microseconds from start to the "shown" line; the program is then asked to close and awaited.
once() {
    local start end line
    start=$(date +%s%N)
    coproc RUN { DRJVO_REPORT_SHOWN=1 exec "$@" 2>/dev/null; }
    local pid=$RUN_PID
    read -r line <&"${RUN[0]}" || true
    end=$(date +%s%N)
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ "$line" = shown ] || { echo "no window from $1" >&2; exit 1; }
    echo $(((end - start) / 1000))
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

once "$build/bin/drJvo" >/dev/null # the first start after preparing writes the settings
# The two programs take turns, so a change in the machine's speed meets both alike.
programs=()
empties=()
for ((i = 0; i < runs; i++)); do
    programs+=("$(once "$build/bin/drJvo")")
    empties+=("$(once "$build/bench/bench_empty_window")")
done
program=$(median "${programs[@]}")
empty=$(median "${empties[@]}")
echo "load: $(uptime)"
echo "start to window, typical entry today: $program ms; empty Qt window: $empty ms" \
    "(median of $runs); ratio $(awk -v a="$program" -v b="$empty" 'BEGIN { printf "%.2f", a / b }')" \
    "(target < 2.5)"
