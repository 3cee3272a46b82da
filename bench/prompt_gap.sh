#!/usr/bin/env bash
# The gap between a prompt arriving and the next queued command being written, measured end
# to end over a pseudo-terminal: the real tool against the monitor simulator, whose --log
# stamps the moment each prompt is handed to the line and each command's CR arrives.
#
# Usage: bench/prompt_gap.sh [build-dir] [seconds]        (defaults: build, 20)
#   ZORVEX_GAP_MODE=ui      drive "&Update All Data" under Xvfb with xdotool (one request a
#                           second) and slow the simulator's answers to 1.3 s, so a command
#                           already waits in the queue when a prompt arrives; the first
#                           three answers, before that backlog forms, are not counted
#                           (default when Xvfb and xdotool exist)
#   ZORVEX_GAP_MODE=resend  headless; the simulator answers every second command with "!",
#                           so each "!" is followed by the resent command
# Prints the statistics of every gap below one second (longer ones are idle keep-alives).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
seconds="${2:-20}"
mode="${ZORVEX_GAP_MODE:-}"
if [ -z "$mode" ]; then
    if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then mode=ui; else mode=resend; fi
fi

work="$(mktemp -d /tmp/zorvex-gap-XXXXXX)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

link="$work/ttyZorvex"
log="$work/sim.log"
mkdir -p "$work/config/Zorvex"
printf '[Configs]\nCommPort=1\n\n[Ports]\nCom1=%s\n' "$link" > "$work/config/Zorvex/Zorvex5 Stroke Raster.conf"

case "$mode" in
    ui) simArgs=(--reply-delay 1300) ;;
    resend) simArgs=(--reject-every 2) ;;
    *) echo "unknown ZORVEX_GAP_MODE: $mode" >&2; exit 2 ;;
esac
"$build/bin/zorvex-monitor-sim" --link "$link" --log "$log" "${simArgs[@]}" > "$work/sim.out" &
pids+=($!)
for _ in $(seq 50); do [ -L "$link" ] && break; sleep 0.1; done

export XDG_CONFIG_HOME="$work/config"
if [ "$mode" = ui ]; then
    display=":$((90 + RANDOM % 100))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
    pids+=($!)
    sleep 1
    DISPLAY="$display" "$build/bin/zorvex" > "$work/tool.out" 2>&1 &
    pids+=($!)
else
    QT_QPA_PLATFORM=offscreen "$build/bin/zorvex" > "$work/tool.out" 2>&1 &
    pids+=($!)
fi

# Online: the tool asks for the firmware version once the ping is answered.
online=0
for _ in $(seq 150); do
    if grep -q ' RX df$' "$log" 2>/dev/null; then online=1; break; fi
    sleep 0.1
done
if [ "$online" != 1 ]; then
    echo "The tool did not go online within 15 s; nothing to measure." >&2
    exit 1
fi
if [ "$mode" = ui ]; then
    window="$(DISPLAY="$display" xdotool search --onlyvisible --name 'CRT Adjustment Tool' | head -n1)"
    # No window manager under Xvfb: focus the window directly, then the menu by its keys.
    DISPLAY="$display" xdotool windowfocus --sync "$window"
    DISPLAY="$display" xdotool key --clearmodifiers alt+m
    sleep 0.5
    DISPLAY="$display" xdotool key u
    for _ in $(seq 50); do
        if grep -q ' RX da$' "$log"; then break; fi
        sleep 0.1
    done
    if ! grep -q ' RX da$' "$log"; then
        echo "\"&Update All Data\" could not be started through the menu." >&2
        exit 1
    fi
fi
sleep "$seconds"

python3 - "$log" "$mode" ${ZORVEX_GAP_VERBOSE:+-v} <<'PY'
import statistics, sys
path, mode = sys.argv[1], sys.argv[2]
records = []
for line in open(path):
    parts = line.rstrip("\n").split(" ", 2)
    if len(parts) >= 2:
        records.append((float(parts[0]), parts[1], parts[2] if len(parts) > 2 else ""))
commands = sum(1 for r in records if r[1] == "RX")
gaps = []
pending = None
# In ui mode the backlog forms over the first answers of the cycle: start after them.
if mode == "ui":
    start = next(i for i, r in enumerate(records) if r[1] == "RX" and r[2] == "da")
    prompts = [i for i, r in enumerate(records) if i > start and r[1] == "PROMPT"]
    records = records[prompts[2]:] if len(prompts) > 2 else []
for t, kind, text in records:
    if kind == "PROMPT":
        pending = t
    elif kind == "RX" and pending is not None:
        if t - pending < 1.0:
            gaps.append((t - pending) * 1000.0)
        if "-v" in sys.argv:
            print(f"  {pending:.6f} -> {t:.6f} {text}: {(t - pending) * 1000.0:.2f} ms")
        pending = None
print(f"mode {mode}: {commands} commands received, {len(gaps)} prompt-to-next-command gaps")
if gaps:
    gaps.sort()
    p90 = gaps[min(len(gaps) - 1, int(len(gaps) * 0.9))]
    over = sum(1 for g in gaps if g > 105.0)
    print(f"gap ms: min {gaps[0]:.2f}  median {statistics.median(gaps):.2f}  "
          f"p90 {p90:.2f}  max {gaps[-1]:.2f}  over 105 ms: {over}")
PY
