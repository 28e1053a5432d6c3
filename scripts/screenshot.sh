#!/usr/bin/env bash
# Takes a screenshot of MorvaChat logged on to the loopback demo server, on a private X server with
# a window manager: the main window in a populated channel with coloured lines, and a whisper
# window beside it, both in the window manager's frames.
# Usage: scripts/screenshot.sh [OUTPUT.png]   (default docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}

scripts/setup.sh build
for package in imagemagick xdotool x11-utils x11-xserver-utils openbox; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
done
cmake --build build --target morvachat morva-testserver --parallel

work=$(mktemp -d)
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1400x720x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
xsetroot -solid '#2f3b4c'

port=16199
build/morva-testserver --demo --port "$port" >"$work/server.log" 2>&1 &
pids+=($!)
sleep 0.5

cp tools/demo/*.bot "$work/"
sed -i -e "s/^Port=.*/Port=$port\r/" -e "s/^WhisperWindow=.*/WhisperWindow=True\r/" "$work/config.bot"
printf '[Form]\r\nLeft=0\r\nTop=0\r\nWidth=12495\r\nHeight=8340\r\n' >>"$work/config.bot"
build/morvachat --profile "$work" >"$work/morvachat.log" 2>&1 &
pids+=($!)

# Let the demo members talk, emote and whisper for a while.
for _ in $(seq 1 60); do
    window=$(xdotool search --name "Whisper window" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.5
done
sleep 20

mkdir -p "$(dirname "$output")"
import -window root -crop 1250x570+0+0 +repage "$output"
echo "Screenshot written to $output"
