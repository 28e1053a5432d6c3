#!/usr/bin/env bash
# Builds the program and starts it on the demo profile.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build

profile=demo-profile
mkdir -p "$profile"
[ -f "$profile/config.bot" ] || cp tools/demo/config.bot "$profile/config.bot"
exec build/morvachat --terminal --profile "$profile" "$@"
