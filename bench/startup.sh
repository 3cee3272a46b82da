#!/usr/bin/env bash
# Start-up of the tool against an empty Qt 6 program with one QMdiArea main window: the time
# from exec to the X server mapping the main window (MapNotify), the time to the first frame
# drawn in it, and the resident memory a second after that frame. The programs run
# alternately, each with an empty settings folder (a first start, as a new user sees it) and
# each closed by its window's close request; one untimed start of each warms the caches first.
# The empty program is measured a second time with a menu bar as large as the tool's: the
# least any window with menus pays for its text.
#
# Usage: bench/startup.sh [build-dir] [runs]          (defaults: build-rel, 7)
#   The build needs -DZORVEX_BUILD_BENCH=ON; measure a Release build, e.g.
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVEX_BUILD_BENCH=ON \
#         -DZORVEX_BUILD_FUZZ=OFF -DZORVEX_BUILD_TESTS=OFF
#   cmake --build build-rel --target zorvex bench_empty_mdi bench_mapwait
# Runs under a private Xvfb unless DISPLAY is set. Prints the median (and range) of each,
# their ratio, and the machine's load. On a busy machine the time to the map grows with the
# wait for a processor; the processor time the programs used is printed beside it.
#
# Without a session bus (as under a bare Xvfb) every Qt program asks libdbus for one, which
# forks the program to run dbus-launch; the tool skips that where dbus-launch is missing, the
# yardsticks do not. For the case of a desktop session, run it under a session bus:
# dbus-run-session -- bench/startup.sh. The last line says which case was measured.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build-rel}" && pwd)"
runs="${2:-7}"
tool="$build/bin/zorvex"
empty="$build/bin/bench_empty_mdi"
mapwait="$build/bin/bench_mapwait"
for program in "$tool" "$empty" "$mapwait"; do
    if [ ! -x "$program" ]; then
        echo "Missing $program: build zorvex, bench_empty_mdi and bench_mapwait first." >&2
        exit 1
    fi
done

work="$(mktemp -d /tmp/zorvex-startup-XXXXXX)"
xvfb=""
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n1 "$work/display")"
fi
export QT_QPA_PLATFORM=xcb

# One start: prints "map_ms cpu_ms runq_ms rss_kib paint_ms".
start() {
    local name="$1"
    shift
    local config="$work/config-$name-$RANDOM$RANDOM"
    mkdir -p "$config"
    XDG_CONFIG_HOME="$config" "$mapwait" -- "$@" 2>"$work/stderr-$name" |
        sed -n 's/^map_ms=\([0-9.]*\) cpu_ms=\([0-9.]*\) runq_ms=\([0-9.]*\) rss_kib=\([0-9-]*\) paint_ms=\([0-9.-]*\)$/\1 \2 \3 \4 \5/p'
}

# "median (min..max)" of the numbers on stdin, one a line.
summary() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.1f (%.1f..%.1f)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
median() {
    sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
column() { cut -d' ' -f"$1" "$work/$2"; }

declare -A command=([empty]="$empty" [menus]="$empty --menus" [tool]="$tool")
names=(empty menus tool)
for name in "${names[@]}"; do
    # shellcheck disable=SC2086  # the command is meant to split into words
    start "$name" ${command[$name]} >/dev/null
    : >"$work/$name"
done
for i in $(seq "$runs"); do
    for name in "${names[@]}"; do
        # shellcheck disable=SC2086
        result="$(start "$name" ${command[$name]})"
        if [ -z "$result" ]; then
            echo "Run $i of $name failed:" >&2
            cat "$work/stderr-$name" >&2
            exit 1
        fi
        echo "$result" >>"$work/$name"
    done
done

report() {
    local name="$1" label="$2"
    printf '  %-29s %s ms; processor %s ms, waiting for it %s ms; %.1f MiB\n' "$label" \
        "$(column 1 "$name" | summary)" "$(column 2 "$name" | summary)" \
        "$(column 3 "$name" | median)" "$(column 4 "$name" | median | awk '{ print $1 / 1024 }')"
}
# A start whose first frame was not seen (-1) is left out, and counted.
paint_report() {
    local name="$1" label="$2" missed
    missed=$(column 5 "$name" | grep -c '^-' || true)
    printf '  %-29s %s ms%s\n' "$label" "$(column 5 "$name" | grep -v '^-' | summary)" \
        "$([ "$missed" -gt 0 ] && echo "; not seen in $missed starts")"
}
ratio() {
    awk -v a="$(column "$1" "$2" | median)" -v b="$(column "$1" empty | median)" \
        'BEGIN { printf "%.2f", a / b }'
}
printf 'Exec to main window mapped, median (min..max) of %s starts each; processor time of all\n' "$runs"
printf 'threads by then and time spent waiting for a processor; resident memory 1 s after the\n'
printf 'first frame:\n'
report empty "empty Qt 6 QMdiArea program:"
report menus "the same with a menu bar:"
report tool "zorvex:"
for name in tool menus; do
    label="zorvex / empty:"
    [ "$name" = menus ] && label="with a menu bar / empty:"
    printf '  ratio %-25s time %s, processor time %s, memory %s\n' "$label" "$(ratio 1 "$name")" \
        "$(ratio 2 "$name")" "$(ratio 4 "$name")"
done
printf 'Exec to the first frame in the main window (its pixels first change), same starts:\n'
paint_report empty "empty Qt 6 QMdiArea program:"
paint_report menus "the same with a menu bar:"
paint_report tool "zorvex:"
printf '  ratio %-25s %s\n' "zorvex / empty:" "$(awk -v a="$(column 5 tool | grep -v '^-' | median)" \
    -v b="$(column 5 empty | grep -v '^-' | median)" 'BEGIN { printf "%.2f", a / b }')"
echo "  load: $(uptime | sed 's/.*load average: //')"
if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    echo "  session bus: $DBUS_SESSION_BUS_ADDRESS"
elif [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -e "$XDG_RUNTIME_DIR/bus" ]; then
    echo "  session bus: $XDG_RUNTIME_DIR/bus"
else
    echo "  session bus: none; dbus-launch $(command -v dbus-launch >/dev/null && echo installed || echo not installed)"
fi
