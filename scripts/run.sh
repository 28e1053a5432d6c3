#!/usr/bin/env bash
# Builds the program, starts the bundled loopback test server in its demo mode with a demo account,
# and runs MorvaChat on the demo profile against it: in its window when a display is available,
# else in the terminal. Extra arguments go to morvachat (for instance --terminal).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
cmake --build build --target morvachat morva-testserver --parallel

profile=demo-profile
port=16112
mkdir -p "$profile"
for file in config.bot acces.bot safelist.bot filter.bot; do
    [ -f "$profile/$file" ] || cp "tools/demo/$file" "$profile/$file"
done

build/morva-testserver --port "$port" --account MorvaBot:demo --demo >"$profile/testserver.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
sleep 0.3
if ! kill -0 "$server" 2>/dev/null; then
    echo "The demo server could not start (is port $port taken?); see $profile/testserver.log" >&2
fi
build/morvachat --profile "$profile" "$@"
