#!/usr/bin/env bash
# Installs what is missing, builds only the tool and the monitor simulator, and starts the
# tool connected to the simulator. Run it as yourself: root is asked for (through sudo)
# only when a package is missing.
# The tool's settings live in build/run/config, so a user's own settings are not touched;
# on first use Com1 is set to the simulator's link and chosen as the port. The simulator
# stops when the tool exits. Simulator options may be given in ZORVEX_SIM_ARGS, for
# example ZORVEX_SIM_ARGS="--boot" or "--reject 2" (see build/bin/zorvex-monitor-sim --help).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh zorvex zorvex-monitor-sim

run="$PWD/build/run"
link="$run/ttyZorvex"
conf="$run/config/Zorvex/Zorvex5 Stroke Raster.conf"
mkdir -p "$(dirname "$conf")"
if [ ! -f "$conf" ]; then
    printf '[Configs]\nCommPort=1\n\n[Ports]\nCom1=%s\n' "$link" > "$conf"
fi

# shellcheck disable=SC2086  # the options are meant to split into words
./build/bin/zorvex-monitor-sim --link "$link" --log "$run/sim.log" ${ZORVEX_SIM_ARGS:-} \
    > "$run/sim.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
    [ -L "$link" ] && [ -s "$run/sim.out" ] && break
    if ! kill -0 "$sim" 2>/dev/null; then
        echo "The monitor simulator did not start." >&2
        exit 1
    fi
    sleep 0.1
done

echo "Monitor simulator: pid $sim on $(head -n1 "$run/sim.out") (link $link, log $run/sim.log)"
echo "  kill -USR1 $sim: falls silent, -USR2: answers again, -HUP: unplug / plug in again"
XDG_CONFIG_HOME="$run/config" ./build/bin/zorvex "$@"
