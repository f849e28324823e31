#!/bin/sh
# The main window under a real window manager: it is resized, left by
# File > Exit from the keyboard, and started again; the size must come back.
#   scripts/desktop-check.sh            (needs a build, Xvfb, openbox, xdotool, wmctrl)
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$here/build/bin
work=$(mktemp -d)
trap 'kill $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM

display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# A demo plant of its own, and settings of its own.
export XDG_CONFIG_HOME=$work/config HOME=$work
printf 'Bunline configuration\nConnection string, "Driver=SQLite;Database=%s/plant.db"\nRead-only catalogue, No\nLocal order IDs, No\nHide prices, No\n' \
    "$work" >"$work/config.txt"
"$bin/bunlinectl" --config "$work/config.txt" init-db --admin-password admin >/dev/null
"$bin/bunlinectl" --config "$work/config.txt" demo-data >/dev/null

# The main window's id once it is shown (the login window is a child of it).
main_window() {
    for _ in $(seq 1 40); do
        id=$(xdotool search --onlyvisible --name '^Bunline' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.25
    done
    echo "the main window did not appear" >&2
    return 1
}

"$bin/bunline" --config "$work/config.txt" &
app=$!
id=$(main_window)
# The first start fills the screen; the user makes it smaller.
wmctrl -i -r "$id" -b remove,maximized_vert,maximized_horz
sleep 0.5
xdotool windowsize --sync "$id" 900 600
sleep 0.5
before=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
# File > Exit from the keyboard: Alt+F opens File, X is Exit's mnemonic.
xdotool windowactivate --sync "$id" key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 40); do
    kill -0 $app 2>/dev/null || break
    sleep 0.25
done
if kill -0 $app 2>/dev/null; then
    kill $app
    echo "FAIL: File > Exit did not end the program" >&2
    exit 1
fi

"$bin/bunline" --config "$work/config.txt" &
app=$!
id=$(main_window)
sleep 0.5
after=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
kill $app
if [ "$before" != "$after" ]; then
    echo "FAIL: the window was $before when left and $after when started again" >&2
    exit 1
fi
echo "ok: the main window came back at $after"
