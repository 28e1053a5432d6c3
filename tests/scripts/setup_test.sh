#!/usr/bin/env bash
# scripts/setup.sh on a machine made of stand-ins: packages missing, no root, with and without sudo,
# and a build folder whose options change. Prints what failed and exits non-zero on a failure.
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Only the tools the script needs, so that a sudo of the machine's own cannot be found.
mkdir -p "$work/bin"
for tool in bash env grep cat dirname mkdir touch printf; do
    real=$(command -v "$tool") && ln -s "$real" "$work/bin/$tool"
done
stub() {
    printf '#!%s\n%s\n' "$(command -v bash)" "$2" >"$work/bin/$1"
    chmod +x "$work/bin/$1"
}
stub dpkg-query 'exit 1'
stub id 'echo 1000'
stub apt-get 'echo "apt-get $* DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-}" >>"'"$work"'/apt.log"'
stub cmake 'echo "cmake $*" >>"'"$work"'/cmake.log"; while [ $# -gt 0 ]; do [ "$1" = -B ] && mkdir -p "$2" && touch "$2/build.ninja"; shift; done'
run() { PATH="$work/bin" "$(command -v bash)" "$repo/scripts/setup.sh" "$@"; }

# Without root and without sudo: which packages, how to install them, and a failure.
if run "$work/build" >"$work/out" 2>&1; then fail "no sudo: setup.sh succeeded"; fi
grep -q "missing: cmake ninja-build" "$work/out" || fail "no sudo: the missing packages are not named: $(cat "$work/out")"
grep -q "apt-get install cmake" "$work/out" || fail "no sudo: how to install is not said"
[ ! -e "$work/apt.log" ] || fail "no sudo: apt-get ran"

# With sudo: the non-interactive setting reaches apt-get through it.
# sudo resets the environment, as the real one does.
stub sudo 'env -u DEBIAN_FRONTEND "$@"'
run "$work/build" >"$work/out" 2>&1 || fail "sudo: setup.sh failed: $(cat "$work/out")"
grep -q "install .*DEBIAN_FRONTEND=noninteractive" "$work/apt.log" || fail "sudo: DEBIAN_FRONTEND lost: $(cat "$work/apt.log")"

# A build folder is configured once per set of options.
stub dpkg-query 'echo "install ok installed"'
rm -f "$work/cmake.log"
run "$work/build" -DMORVA_BENCH=OFF >/dev/null 2>&1 || fail "options: first run failed"
run "$work/build" -DMORVA_BENCH=OFF >/dev/null 2>&1 || fail "options: second run failed"
[ "$(grep -c . "$work/cmake.log")" -eq 1 ] || fail "options: configured again with the same options"
run "$work/build" -DMORVA_BENCH=ON >/dev/null 2>&1 || fail "options: third run failed"
[ "$(grep -c . "$work/cmake.log")" -eq 2 ] || fail "options: not configured again after a change"
tail -1 "$work/cmake.log" | grep -q "MORVA_BENCH=ON" || fail "options: the new option did not reach cmake"

[ "$failures" -eq 0 ] && echo "setup.sh: all checks passed"
exit "$failures"
