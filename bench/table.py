#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-3-Clause
"""Prints the benchmark results of bench_chart as Markdown tables.

    table.py RESULTS.json            the contenders, the ratios and whether each goal holds
    table.py BEFORE.json AFTER.json  the same two runs side by side

Times are the main thread's CPU time (median of the repetitions, with the fastest and the
slowest) and the wall time's median. Every ratio and verdict is computed here from the JSON.
"""

import json
import statistics
import sys

WINDOWS = [200, 1000, 2900, 5000]
HEAVY_WINDOWS = [200, 1000, 2700]  # the longest whose 300-day MACD fits 3000 days
CONTENDERS = [
    ("control", "BM_WidgetRedraw"),
    ("QCustomPlot", "BM_QCustomPlot"),
    ("Qt Charts", "BM_QtCharts"),
    ("floor", "BM_Floor"),
]
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


class Run:
    """One result file: per benchmark, its CPU and wall times in milliseconds."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        self.context = data.get("context", {})
        self.context_end = data.get("context_end", {})
        cpu, real = {}, {}
        self.errors = {}  # benchmarks that ended with an error: their message
        for b in data.get("benchmarks", []):
            name = b.get("run_name", b["name"])
            if b.get("error_occurred"):
                self.errors[name] = b.get("error_message", "failed")
                continue
            if b.get("run_type", "iteration") != "iteration":
                continue
            scale = TO_MS[b.get("time_unit", "ns")]
            cpu.setdefault(name, []).append(b["cpu_time"] * scale)
            real.setdefault(name, []).append(b["real_time"] * scale)
        self.stats = {
            name: {
                "median": statistics.median(values),
                "min": min(values),
                "max": max(values),
                "wall": statistics.median(real[name]),
                "n": len(values),
            }
            for name, values in cpu.items()
        }

    def get(self, name, key="median"):
        s = self.stats.get(name)
        return s[key] if s else None

    def ratio(self, a, b):
        x, y = self.get(a), self.get(b)
        return x / y if x is not None and y else None


def ms(v):
    if v is None:
        return "–"
    if v < 0.1:
        return f"{v * 1000:.1f} µs"
    return f"{v:.3g} ms" if v < 100 else f"{v:.0f} ms"


def times(run, name):
    s = run.stats.get(name)
    if not s:
        return f"fails: {run.errors[name]}" if name in run.errors else "–"
    return f"{ms(s['median'])} ({ms(s['min'])}–{ms(s['max'])}), wall {ms(s['wall'])}"


def ratio_text(v):
    return "–" if v is None else f"{v:.2f}"


def goals(run):
    """Each goal: (what, measured text, limit text, holds or None when not measured)."""
    out = []

    def check(what, value, limit, shown, limit_text, names=()):
        failed = [n for n in names if n in run.errors]
        if failed:  # the control could not do it at all
            out.append((what, "fails", limit_text, False))
        else:
            out.append((what, shown(value) if value is not None else "–", limit_text,
                        None if value is None else value <= limit))

    for n, limit in [(200, 0.8), (1000, 0.6), (2900, 0.6)]:
        check(f"redraw {n} days / QCustomPlot", run.ratio(f"BM_WidgetRedraw/{n}",
              f"BM_QCustomPlot/{n}"), limit, ratio_text, f"≤ {limit}")
    for n in WINDOWS:
        check(f"redraw {n} days / floor", run.ratio(f"BM_WidgetRedraw/{n}", f"BM_Floor/{n}"),
              1.5, ratio_text, "≤ 1.5", [f"BM_WidgetRedraw/{n}"])
    for n in HEAVY_WINDOWS:
        check(f"heavy panes / default, {n} days", run.ratio(f"BM_WidgetRedrawHeavy/{n}",
              f"BM_WidgetRedraw/{n}"), 1.5, ratio_text, "≤ 1.5",
              [f"BM_WidgetRedrawHeavy/{n}", f"BM_WidgetRedraw/{n}"])
    check("crosshair lines", run.get("BM_CrosshairLines"), 0.020, ms, "< 20 µs")
    check("crosshair move", run.get("BM_CrosshairMove"), 0.100, ms, "< 100 µs")
    check("loading ORCL", run.get("BM_ReadDataFile"), 1.0, ms, "< 1 ms")
    return out


def verdict(holds):
    return "–" if holds is None else ("yes" if holds else "**no**")


def single(run):
    print("## Full redraw, 1300 x 900 pixels (thread CPU median (min–max), wall median)\n")
    print("| days | " + " | ".join(c for c, _ in CONTENDERS) +
          " | control / QCustomPlot | control / floor |")
    print("|---:|" + "---|" * len(CONTENDERS) + "---:|---:|")
    for n in WINDOWS:
        cells = [times(run, f"{b}/{n}") for _, b in CONTENDERS]
        print(f"| {n} | " + " | ".join(cells) +
              f" | {ratio_text(run.ratio(f'BM_WidgetRedraw/{n}', f'BM_QCustomPlot/{n}'))}"
              f" | {ratio_text(run.ratio(f'BM_WidgetRedraw/{n}', f'BM_Floor/{n}'))} |")
    print("\n5000 days: the averages off (no average can be drawn beyond 3000 days).\n")

    print("## Heavy panes (slow stochastic, MACD, money flow; periods 300)\n")
    print("| days | heavy | default | heavy / default |")
    print("|---:|---|---|---:|")
    for n in HEAVY_WINDOWS:
        print(f"| {n} | {times(run, f'BM_WidgetRedrawHeavy/{n}')} | "
              f"{times(run, f'BM_WidgetRedraw/{n}')} | "
              f"{ratio_text(run.ratio(f'BM_WidgetRedrawHeavy/{n}', f'BM_WidgetRedraw/{n}'))} |")

    print("\n## Loading, crosshair, printing\n")
    print("| what | time | note |")
    print("|---|---|---|")
    print(f"| loading ORCL (ReadDataFile) | {times(run, 'BM_ReadDataFile')} | "
          f"{ratio_text(run.ratio('BM_ReadDataFile', 'BM_ReadDataFileFloor'))} x its floor |")
    print(f"| loading floor (from_chars) | {times(run, 'BM_ReadDataFileFloor')} | |")
    print(f"| crosshair lines | {times(run, 'BM_CrosshairLines')} | |")
    print(f"| crosshair move | {times(run, 'BM_CrosshairMove')} | |")
    print(f"| horizontal line move | {times(run, 'BM_HorizontalLineMove')} | |")
    for n in (200, 2900):
        print(f"| print to PDF, {n} days | {times(run, f'BM_PrintPdf/{n}')} | |")
    for n in (200, 1000):
        print(f"| core redraw alone, {n} days | {times(run, f'BM_FullRedraw/{n}')} | "
              "no widgets, 12000 x 9000 twips |")

    print("\n## Goals\n")
    print("| goal | measured | limit | holds |")
    print("|---|---:|---|---|")
    for what, value, limit, holds in goals(run):
        print(f"| {what} | {value} | {limit} | {verdict(holds)} |")
    machine(run)


def machine(run, label=""):
    ctx, end = run.context, run.context_end
    print(f"\nMachine{label}: {ctx.get('cores', ctx.get('num_cpus', '?'))} cores; load average "
          f"before {ctx.get('load_avg_start', '?')}, after {end.get('load_avg_end', '?')}; "
          f"{ctx.get('date', '')}")


def side_by_side(before, after):
    print("## Before and after (thread CPU median; wall median in brackets)\n")
    print("| benchmark | before | after | after / before |")
    print("|---|---:|---:|---:|")
    names = list(before.stats) + [n for n in after.stats if n not in before.stats]
    names += [n for n in list(before.errors) + list(after.errors) if n not in names]
    for name in names:
        b, a = before.get(name), after.get(name)
        change = f"{a / b:.2f}" if a is not None and b else "–"
        bw, aw = before.get(name, "wall"), after.get(name, "wall")
        bt = "fails" if name in before.errors else f"{ms(b)} ({ms(bw)})"
        at = "fails" if name in after.errors else f"{ms(a)} ({ms(aw)})"
        print(f"| {name} | {bt} | {at} | {change} |")
    print("\n## Goals\n")
    print("| goal | before | after | limit | holds after |")
    print("|---|---:|---:|---|---|")
    for (what, b, limit, _), (_, a, _, holds) in zip(goals(before), goals(after)):
        print(f"| {what} | {b} | {a} | {limit} | {verdict(holds)} |")
    machine(before, " (before)")
    machine(after, " (after)")


def main(argv):
    if len(argv) == 2:
        single(Run(argv[1]))
    elif len(argv) == 3:
        side_by_side(Run(argv[1]), Run(argv[2]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
