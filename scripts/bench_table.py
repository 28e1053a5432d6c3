#!/usr/bin/env python3
"""The table of scripts/bench.sh: figure, value, target, pass or short, from the results folder.

Google Benchmark results come as JSON with median aggregates; the flood programs write "name=value"
lines, one file per run (name.N.txt), of which each figure's median is taken."""
import glob
import json
import os
import statistics
import sys


def gbench(folder, name):
    """Median real time (ns) and items per second of each benchmark in one JSON file."""
    with open(os.path.join(folder, name + ".json")) as f:
        data = json.load(f)
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        if b.get("error_occurred"):
            raise SystemExit(f"{name}: {b['run_name']}: {b.get('error_message')}")
        scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
        medians[b["run_name"]] = {"ns": b["real_time"] * scale, "per_s": b.get("items_per_second", 0)}
    return medians


def figures(folder, prefix):
    """Each figure's median over the runs of one flood program."""
    runs = {}
    for path in sorted(glob.glob(os.path.join(folder, prefix + ".*.txt"))):
        with open(path) as f:
            for line in f:
                if "=" in line:
                    key, value = line.strip().split("=", 1)
                    runs.setdefault(key, []).append(float(value))
    if not runs:
        raise SystemExit(f"no results from {prefix}")
    return {key: statistics.median(values) for key, values in runs.items()}


class Table:
    def __init__(self):
        self.rows = []

    def at_least(self, figure, value, floor, shown, target):
        self.rows.append((figure, shown, target, value >= floor))

    def at_most(self, figure, value, ceiling, shown, target):
        self.rows.append((figure, shown, target, value <= ceiling))

    def print(self):
        widths = [max(len(r[i]) for r in self.rows + [("figure", "value", "target")]) for i in range(3)]
        line = lambda a, b, c, d: f"{a:<{widths[0]}}  {b:>{widths[1]}}  {c:<{widths[2]}}  {d}"
        print(line("figure", "value", "target", "result"))
        print(line("-" * widths[0], "-" * widths[1], "-" * widths[2], "------"))
        for figure, value, target, ok in self.rows:
            print(line(figure, value, target, "pass" if ok else "SHORT"))
        short = sum(1 for r in self.rows if not r[3])
        print(f"\n{len(self.rows) - short} pass, {short} short")


def events(rate):
    return f"{rate / 1e6:.2f} M/s"


def times(ratio):
    return f"{ratio:.2f} x"


def mib(kb):
    return f"{kb / 1024:.1f} MB"


def core_rows(table, core):
    for mode in ("binary", "text"):
        small = core[f"FloodThroughTheCore/{mode}/200000"]
        large = core[f"FloodThroughTheCore/{mode}/400000"]
        floor = core[f"FloodFloor/{mode}/200000"]
        table.at_least(f"core {mode}: events/s", small["per_s"], 2e6, events(small["per_s"]), ">= 2.00 M/s")
        ratio = small["ns"] / floor["ns"]
        table.at_most(f"core {mode}: time / memchr floor", ratio, 60, times(ratio), "<= 60 x")
        growth = large["ns"] / small["ns"]
        table.at_most(f"core {mode}: 400k / 200k events", growth, 2.5, times(growth), "about 2 x")


def terminal_rows(table, t):
    lost = t["terminal_events"] - t["terminal_lines_shown"]
    table.at_most("terminal: flood lines lost", lost, 0, f"{lost:.0f}", "0")
    rate = t["terminal_events_per_s"]
    table.at_least("terminal: events/s (200k flood)", rate, 1e6, events(rate), ">= 1.00 M/s")
    ratio = t["terminal_seconds"] / t["terminal_floor_seconds"]
    table.at_most("terminal: time / memchr floor", ratio, 60, times(ratio), "<= 60 x")
    idle = t["terminal_idle_kb"]
    table.at_most("terminal: VmRSS idle after logon", idle, 15 * 1024, mib(idle), "<= 15.0 MB")
    after = t["terminal_after_flood_kb"]
    table.at_most("terminal: VmRSS after 1M events", after, idle + 5 * 1024, mib(after),
                  f"<= {mib(idle + 5 * 1024)} (idle + 5)")


def window_rows(table, w, platform):
    p = lambda key: w[f"{platform}_{key}"]
    gap = p("window_longest_gap_ms")
    table.at_most(f"window {platform}: longest heartbeat gap", gap, 50, f"{gap:.0f} ms", "<= 50 ms")
    ratio = p("window_seconds") / p("window_baseline_seconds")
    table.at_most(f"window {platform}: time / bare QTextBrowser", ratio, 2, times(ratio), "<= 2 x")
    after = p("window_after_flood_kb")
    table.at_most(f"window {platform}: VmRSS after the flood", after, 60 * 1024, mib(after), "<= 60.0 MB")


def main(folder):
    table = Table()
    core_rows(table, gbench(folder, "core_pipeline"))
    terminal_rows(table, figures(folder, "terminal"))
    for platform in ("offscreen", "xcb"):
        window_rows(table, figures(folder, "window_" + platform), platform)
    members = gbench(folder, "member_list_core")
    growth = members["JoinThenLeaveInJoinOrder/10000"]["ns"] / members["JoinThenLeaveInJoinOrder/5000"]["ns"]
    table.at_most("member list core: 10k / 5k members", growth, 2.5, times(growth), "about 2 x")
    window = gbench(folder, "member_list_window")
    ratio = window["MemberListJoinLeave/5000"]["ns"] / window["PlainItemsJoinLeave/5000"]["ns"]
    table.at_most("member list window: / plain items", ratio, 2, times(ratio), "<= 2 x")
    like = gbench(folder, "like_match")
    growth = like["ManyStarsAgainstLongText/100000"]["ns"] / like["ManyStarsAgainstLongText/10000"]["ns"]
    table.at_most("LikeMatch *a*a*a*a*a*a*b: 100k / 10k chars", growth, 12.5, times(growth), "about 10 x")
    table.print()


if __name__ == "__main__":
    main(sys.argv[1])
