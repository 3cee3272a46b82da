#!/usr/bin/env bash
# Takes the pictures of the help manual (docs/help/images/*.png) from the real windows.
# Starts a virtual X display, the monitor simulator and the tool connected to it (settings in
# a temporary folder, seeded as scripts/run.sh does), opens each window through the menus
# with xdotool, waits for the simulator's values and captures the window.
# Builds nothing: usage  scripts/screenshots.sh [build-dir]   (default: build)
# Needs Xvfb, xdotool, xdpyinfo and ImageMagick (import, convert).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
tool="$build/bin/zorvex"
simulator="$build/bin/zorvex-monitor-sim"
out="$root/docs/help/images"
limit="${ZORVEX_SHOTS_TIMEOUT:-300}"   # seconds for the whole run

for program in "$tool" "$simulator"; do
    [ -x "$program" ] || { echo "Not found: $program (build first)" >&2; exit 1; }
done
for command in Xvfb xdotool xdpyinfo import convert; do
    command -v "$command" > /dev/null || { echo "Needs $command" >&2; exit 1; }
done
mkdir -p "$out"

work="$(mktemp -d "${TMPDIR:-/tmp}/zorvex-shots.XXXXXX")"
pids=()
watchdog=""
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2> /dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2> /dev/null || true
    done
    if [ -n "$watchdog" ]; then
        pkill -P "$watchdog" 2> /dev/null || true
        kill "$watchdog" 2> /dev/null || true
        wait "$watchdog" 2> /dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "Screenshots: stopped (interrupted, or over $limit s)." >&2; exit 1' INT TERM

# The whole run gives up after $limit seconds rather than hang on a window that never shows.
(sleep "$limit" && kill -TERM $$) 2> /dev/null &
watchdog=$!

# Waits until a command succeeds, up to $1 tenths of a second.
wait_until() {
    local tenths="$1"
    shift
    for _ in $(seq "$tenths"); do
        "$@" > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Screenshots: gave up waiting for: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "${TMPDIR:-/tmp}/zorvex-shots-failed.png" 2> /dev/null &&
            echo "  (the screen at that moment: ${TMPDIR:-/tmp}/zorvex-shots-failed.png)" >&2
    fi
    return 1
}

# --- The display --------------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1280x960x24 -nolisten tcp -noreset 3> "$work/display" \
    > "$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 100 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
wait_until 100 xdpyinfo
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_AUTO_SCREEN_SCALE_FACTOR=0 LANG=C.UTF-8

# --- The simulator and the tool's settings ------------------------------------------------
link="$work/ttyZorvex"
simlog="$work/sim.log"
"$simulator" --link "$link" --log "$simlog" --firmware 2.10 > "$work/sim.out" 2>&1 &
sim=$!
pids+=("$sim")
wait_until 100 test -L "$link"

conf="$work/config/Zorvex/Zorvex5 Stroke Raster.conf"
mkdir -p "$(dirname "$conf")" "$work/files"
# The main window 1024 x 720 pixels at the top left (places in twips, 15 to a pixel at 96 dpi).
cat > "$conf" << EOF
[Configs]
CommPort=1
FileSaveInitDir=$work/files/
CommLogEnabled=True
TriesWindowState=0
TriesTop=2250
TriesLeft=8700

[Ports]
Com1=$link

[Locations]
frmMainTop=0
frmMainLeft=0
frmMainWidth=15360
frmMainHeight=10800
frmMainWindowstate=0
frmConnectTop=300
frmConnectLeft=300
frmConnectWidth=8100
frmConnectHeight=6600
frmConnectWindowstate=0
frmCommLogTop=300
frmCommLogLeft=300
frmCommLogWidth=11250
frmCommLogHeight=7500
frmCommLogWindowstate=0
frmCapabilityTop=300
frmCapabilityLeft=300
frmCapabilityWidth=4500
frmCapabilityHeight=4800
frmCapabilityWindowstate=0
frmTryingTop=300
frmTryingLeft=8700
frmTryingWindowstate=0
EOF

(cd "$work/files" && XDG_CONFIG_HOME="$work/config" exec "$tool") > "$work/tool.log" 2>&1 &
pids+=($!)

main_window() { xdotool search --onlyvisible --name '^Zorvex4 CRT Adjustment Tool' | head -n1; }
wait_until 200 main_window
main="$(main_window)"

# Lines in the simulator's log so far (it has one "RX <command>" line for each command).
received() { wc -l < "$simlog"; }
# Waits until the simulator has received the command $1 after line count $2, then a moment
# more for its answer to reach the window.
wait_command() {
    local command="$1" after="$2"
    wait_until 150 sh -c "tail -n +$((after + 1)) '$simlog' | grep -q ' RX $command\$'"
    sleep 1.2
}
caption_has() { xdotool getwindowname "$main" | grep -q -- "$1"; }

focus_main() {
    xdotool windowfocus --sync "$main" 2> /dev/null || xdotool windowfocus "$main"
    sleep 0.2
}
# Opens a menu by its access key and picks an item by its access key (or by keys given).
menu() {
    focus_main
    xdotool key --clearmodifiers "alt+$1"
    sleep 0.4
    shift
    xdotool key --clearmodifiers "$@"
    sleep 0.6
}

geometry() { # prints X Y W H of window $1
    xdotool getwindowgeometry --shell "$1" | awk -F= '
        /^X=/ {x=$2} /^Y=/ {y=$2} /^WIDTH=/ {w=$2} /^HEIGHT=/ {h=$2}
        END {print x, y, w, h}'
}

# Saves a picture small: an 8-bit palette and the highest compression.
save_png() { # source, name
    convert "$1" +dither -colors 256 -strip -define png:compression-level=9 \
        -define png:format=png8 "$out/$2.png"
    echo "  $2.png $(stat -c %s "$out/$2.png") bytes"
}

grab_root() { import -window root "$work/root.png"; }

# The whole main window.
shot_main() { # name [width height]: the whole window, or its top left part
    local x y w h
    read -r x y w h < <(geometry "$main")
    w="${2:-$w}"
    h="${3:-$h}"
    grab_root
    convert "$work/root.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/main.png"
    save_png "$work/main.png" "$1"
}

# The main window's work area between the menu bar and the status bar, as an image, and
# where it lies.
mdi_area() {
    local x y w h top bottom
    read -r x y w h < <(geometry "$main")
    grab_root
    convert "$work/root.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/main.png"
    # The work area's colour is the commonest one in the rightmost column but two; the area
    # runs from the first to the last row of that colour there.
    convert "$work/main.png" -crop "1x${h}+$((w - 3))+0" +repage txt:"$work/column.txt"
    background="$(awk 'NR > 1 { print $NF }' "$work/column.txt" | sort | uniq -c | sort -rn |
        awk 'NR == 1 { print $2 }')"
    read -r top bottom < <(awk -v bg="$background" 'NR > 1 && $NF == bg {
            split($1, a, /[,:]/); if (first == "") first = a[2]; last = a[2] }
        END { print (first == "" ? 30 : first), (last == "" ? 0 : last) }' "$work/column.txt")
    [ "$bottom" -gt "$top" ] || bottom=$((h - 1))
    mdi_x=$x
    mdi_y=$((y + top))
    convert "$work/main.png" -crop "${w}x$((bottom - top + 1))+0+${top}" +repage "$work/mdi.png"
}

# The child windows shown in the work area, trimmed out of its background: sets child_x,
# child_y, child_w, child_h (on the screen) and saves the picture when a name is given.
shot_child() { # [name]
    mdi_area
    local box
    box="$(convert "$work/mdi.png" -bordercolor "$background" -border 1 -fuzz 1% \
        -format '%@' info:)"
    # box is WxH+X+Y within the bordered image
    child_w="${box%%x*}"
    local rest="${box#*x}"
    child_h="${rest%%+*}"
    rest="${rest#*+}"
    child_x=$((${rest%%+*} - 1 + mdi_x))
    child_y=$((${rest#*+} - 1 + mdi_y))
    if [ $# -gt 0 ]; then
        convert "$work/root.png" -crop "${child_w}x${child_h}+${child_x}+${child_y}" +repage \
            "$work/child.png"
        save_png "$work/child.png" "$1"
    fi
}

# Clicks at a place relative to the child window found last.
click_child() { # dx dy (negative dx counts from the right edge)
    local dx="$1" dy="$2"
    [ "$dx" -lt 0 ] && dx=$((child_w + dx))
    xdotool mousemove "$((child_x + dx))" "$((child_y + dy))" click 1
    sleep 0.5
}

# Clicks at a place in the main window.
click_main() { # x y
    local x y w h
    read -r x y w h < <(geometry "$main")
    xdotool mousemove "$((x + $1))" "$((y + $2))" click 1
    sleep 0.5
}

# Closes the active child window with its close box (top right corner of its frame).
close_child() {
    shot_child
    click_child -16 12
    sleep 0.3
}

# A free-standing window by its caption, captured alone.
shot_top() { # caption-regex name
    local id
    wait_until 100 sh -c "xdotool search --onlyvisible --name '$1' | grep -q ."
    id="$(xdotool search --onlyvisible --name "$1" | tail -n1)"
    sleep 1
    import -window "$id" "$work/top.png"
    save_png "$work/top.png" "$2"
    top_id="$id"
}

echo "Taking pictures on $DISPLAY into $out"

# --- Connecting: the connection window as the tool starts -----------------------------------
wait_until 200 caption_has "Monitor on Com1"
sleep 2
shot_child connect
close_child

# --- The main window with its Monitor menu open --------------------------------------------
focus_main
xdotool key --clearmodifiers alt+m
sleep 0.8
shot_main menu-monitor 480 150
xdotool key Escape Escape
sleep 0.3
# Reads every value (about 45 s, while the next pictures are taken), for the saved file.
menu m u

# --- The communication log, with a capability request and the operating time typed in ------
n=$(received)
menu d c
shot_child
click_child 300 200
xdotool type --delay 80 "dx"
xdotool key Return
wait_command dx "$n"
n=$(received)
xdotool type --delay 80 "dt"
xdotool key Return
wait_command dt "$n"
shot_child commlog
close_child

# --- The Info windows ------------------------------------------------------------------------
n=$(received)
menu i Return
wait_command dms "$n"
sleep 1
shot_child id
close_child

n=$(received)
menu i v
wait_command df "$n"
shot_child version
close_child

menu i m
sleep 1.5
shot_child configuration
close_child

# Its values came already with the "dt" typed in the log; showing it asks again.
menu i o
sleep 2
shot_child operating-hours
close_child

# --- Peek and poke ---------------------------------------------------------------------------
menu d p
sleep 1
shot_child
click_child 150 40
xdotool key ctrl+a
xdotool type --delay 60 "0x0100"
n=$(received)
click_child 232 40    # Set Address
wait_command a0x0100 "$n"
n=$(received)
click_child 302 40    # up
wait_command 'a+' "$n"
n=$(received)
click_child 232 69    # Read (byte)
wait_command rb "$n"
n=$(received)
click_child 232 97    # Read (word)
wait_command rw "$n"
n=$(received)
click_child 232 125   # Read (characters)
wait_command rc "$n"
shot_child peekpoke
close_child

# --- Stroke adjustments ----------------------------------------------------------------------
n=$(received)
menu a s
wait_command dz "$n"
sleep 2
shot_child stroke
# Enlarged by its bottom right corner, every group comes into view.
shot_child
xdotool mousemove "$((child_x + child_w - 3))" "$((child_y + child_h - 3))" mousedown 1
sleep 0.3
xdotool mousemove "$((child_x + 700))" "$((child_y + 500))"
sleep 0.3
xdotool mousemove "$((child_x + 1005))" "$((child_y + 690))" mouseup 1
sleep 1.5
shot_child stroke-all
click_child 590 239   # "what are these?"
shot_top 'H width, H long explains' form2
xdotool windowunmap "$top_id" 2> /dev/null || true
close_child


# --- Saving the monitor data to a file --------------------------------------------------------
menu f a
shot_top '^Save As$' save-as
xdotool key ctrl+a
xdotool type --delay 40 "monitor1.mdv"
xdotool key Return
wait_until 100 test -s "$work/files/monitor1.mdv"
if [ -n "${ZORVEX_SHOTS_PAGES:-}" ]; then
    mkdir -p "$ZORVEX_SHOTS_PAGES"
    cp "$work/files/monitor1.mdv" "$ZORVEX_SHOTS_PAGES/"
fi

# --- About and the manual --------------------------------------------------------------------
menu h a
shot_top '^About ' about
xdotool key --window "$top_id" Return 2> /dev/null || true
xdotool windowunmap "$top_id" 2> /dev/null || true

menu h n
shot_top ' Help$' help
# To proofread the manual as the tool shows it: ZORVEX_SHOTS_PAGES=<folder> saves it page by
# page there (the manual's own pictures do not need this).
if [ -n "${ZORVEX_SHOTS_PAGES:-}" ]; then
    mkdir -p "$ZORVEX_SHOTS_PAGES"
    read -r hx hy hw hh < <(geometry "$top_id")
    xdotool mousemove "$((hx + hw / 2))" "$((hy + hh / 2))" click 1
    for page in $(seq -w 1 60); do
        import -window "$top_id" "$work/page.png"
        if [ "$page" != 01 ] && cmp -s "$work/page.png" "$work/previous.png"; then
            break
        fi
        cp "$work/page.png" "$ZORVEX_SHOTS_PAGES/page-$page.png"
        mv "$work/page.png" "$work/previous.png"
        xdotool key Next
        sleep 0.3
    done
fi
xdotool windowunmap "$top_id" 2> /dev/null || true

# --- The monitor falls silent: the tool loses it and tries again -----------------------------
kill -USR1 "$sim"
wait_until 200 sh -c "xdotool getwindowname $main | grep -q 'No monitor'"
for _ in $(seq 20); do # until the connection window and the new attempt are both in view
    sleep 0.5
    shot_child
    [ "$child_w" -gt 700 ] && break
done
sleep 1
shot_child lost
# Without Auto ReConnect the attempt counts its tries: OK starts one, Done hides the window.
click_child 19 327    # Auto ReConnect
click_child 96 416    # OK
click_child 443 416   # Done
for _ in $(seq 20); do # until only the attempt's window is left, on the right
    sleep 0.3
    shot_child
    [ "$child_x" -gt "$((mdi_x + 300))" ] && break
done
trying_h=$child_h
click_child 204 44    # Change ...
for _ in $(seq 10); do # until Change Retry Limit shows below
    shot_child
    [ "$child_h" -gt "$((trying_h + 50))" ] && break
    sleep 0.3
done
shot_child trying
click_child 161 201   # Cancel (Change Retry Limit)
# When the tries run out, the timed-out notice shows for 5 seconds at the top left.
for _ in $(seq 30); do
    shot_child
    [ "$child_x" -le "$((mdi_x + 2))" ] && break
    sleep 0.5
done
[ "$child_x" -le "$((mdi_x + 2))" ] || { echo "Screenshots: no timed-out notice" >&2; exit 1; }
sleep 0.5
shot_child timed-out
kill -USR2 "$sim"

echo "Done."
