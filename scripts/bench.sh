#!/usr/bin/env bash
# Builds the benchmarks optimised in a folder of their own, runs them all and prints one table:
# figure, value, target, pass or short. Every target is a ratio to a baseline measured in the same
# run, or a size; noisy figures are medians of a few runs.
# Usage: scripts/bench.sh [BUILD_DIR]   (default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-bench}
runs=3

# The packages of the build (Google Benchmark and Xvfb among them), then a Release configuration.
# GCC's optimiser warns falsely at -O3, so warnings stay warnings here.
scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DMORVA_WERROR=OFF -DMORVA_SANITIZE=OFF
command -v python3 >/dev/null || {
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get install -y -qq --no-install-recommends python3 >/dev/null
}
targets=(bench_core_pipeline bench_member_list_core bench_like_match bench_member_list_window
         bench_terminal_flood bench_window_flood)
echo "Building ${targets[*]} in $build_dir"
cmake --build "$build_dir" --target "${targets[@]}" -j2 >/dev/null

out="$build_dir/bench-results"
rm -rf "$out"
mkdir -p "$out"
bench="$build_dir/bench"

# Google Benchmark programs: medians of five repetitions, in JSON; what they say goes to a log,
# shown when one fails.
gbench() {
    local name=$1
    shift
    echo "Running $name"
    "$@" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$out/$name.json" --benchmark_out_format=json >"$out/$name.log" 2>&1 ||
        { cat "$out/$name.log"; exit 1; }
}
gbench core_pipeline "$bench/bench_core_pipeline"
gbench member_list_core "$bench/bench_member_list_core"
gbench like_match "$bench/bench_like_match" --benchmark_filter=ManyStarsAgainstLongText
QT_QPA_PLATFORM=offscreen gbench member_list_window "$bench/bench_member_list_window"

# Whole programs against the flooding test server: "name=value" lines, a file per run.
flood() {
    local name=$1
    shift
    "$@" >"$out/$name.txt" 2>"$out/$name.log" || { cat "$out/$name.log"; exit 1; }
}
for run in $(seq "$runs"); do
    echo "Running the terminal and window floods ($run of $runs)"
    flood "terminal.$run" "$bench/bench_terminal_flood"
    flood "window_offscreen.$run" env QT_QPA_PLATFORM=offscreen "$bench/bench_window_flood"
    flood "window_xcb.$run" env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$bench/bench_window_flood"
done

python3 scripts/bench_table.py "$out"
