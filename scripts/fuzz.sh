#!/usr/bin/env bash
# Runs one fuzz target with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer (clang).
# Usage: scripts/fuzz.sh TARGET SECONDS [more libFuzzer options...]
#        scripts/fuzz.sh --list
# TARGET is a name from tests/fuzz/*_fuzz.cpp without "_fuzz" (framing, patterns, ...). New inputs
# are kept in build-fuzz/corpus/TARGET; the seeds in tests/fuzz/corpus/TARGET are only read. A
# finding is written to build-fuzz/findings/TARGET: copy it into tests/fuzz/corpus/TARGET, where the
# test command runs it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=$(ls tests/fuzz/*_fuzz.cpp | sed 's|.*/||; s|_fuzz\.cpp$||')
if [ "${1-}" = "--list" ]; then
    echo "$targets"
    exit 0
fi
if [ $# -lt 2 ] || ! grep -qx "$1" <<<"$targets"; then
    echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]; targets:" $targets >&2
    exit 2
fi
target=$1
seconds=$2
shift 2

# The dictionaries of the protocols and texts each target reads.
case $target in
    framing) dictionaries=(binary) ;;
    packets) dictionaries=(binary commands) ;;
    chat_events) dictionaries=(binary text) ;;
    text_chunks | event_lines) dictionaries=(text commands) ;;
    event_processor | trigger_commands | slash_commands | scripts) dictionaries=(commands) ;;
    config) dictionaries=(config) ;;
    patterns | list_files) dictionaries=(patterns) ;;
    *) dictionaries=() ;;
esac
# The longest input for the targets whose executions cost in proportion to length: config's seeds run
# to 64 KB, and every line of a scripts input is an event through the whole bot and its script.
# Options given after SECONDS come later and win.
case $target in
    config) length=(-max_len=4096) ;;
    scripts) length=(-max_len=256) ;;
    *) length=() ;;
esac

SETUP_PACKAGES="clang libclang-rt-dev" scripts/setup.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ \
    -DMORVA_FUZZ=ON -DMORVA_SANITIZE=ON -DMORVA_BENCH=OFF -DMORVA_WERROR=OFF
cmake --build build-fuzz --target "${target}_fuzz_libfuzzer"

work=build-fuzz/corpus/$target
findings=build-fuzz/findings/$target
mkdir -p "$work" "$findings"
dictionary=build-fuzz/$target.dict
: >"$dictionary"
for name in "${dictionaries[@]}"; do cat "tests/fuzz/dict/$name.dict" >>"$dictionary"; done
seeds=()
[ -d "tests/fuzz/corpus/$target" ] && seeds=("tests/fuzz/corpus/$target")

# The targets that load config.bot write it into a temporary folder: memory is faster than a disk.
[ -z "${TMPDIR-}" ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
# Recording where each block was allocated takes about a quarter of the time of the targets that
# make a whole bot per input. The error is found all the same; run the finding through the test
# command's build for the allocation's stack.
export ASAN_OPTIONS=${ASAN_OPTIONS-malloc_context_size=0}
exec "build-fuzz/tests/${target}_fuzz_libfuzzer" "$work" "${seeds[@]}" -dict="$dictionary" \
    -max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1 "${length[@]}" "$@"
