#!/usr/bin/env python3
"""Reads the per-process benchmark results of scripts/bench.sh, prints a table
of times, items per second and peak memory, and checks the scaling targets.
Exits 1 when a target is missed."""
import glob
import json
import os
import sys


def load(folder):
    runs = {}
    for path in sorted(glob.glob(os.path.join(folder, "*.json"))):
        with open(path) as f:
            for b in json.load(f).get("benchmarks", []):
                if b.get("run_type", "iteration") == "iteration":
                    runs[b["name"]] = b
    return runs


def ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


def find(runs, prefix):
    for name, b in runs.items():
        if name.startswith(prefix):
            return b
    return None


def main(folder):
    runs = load(folder)
    print()
    print(f"{'benchmark':58} {'time ms':>12} {'items/s':>14} {'peak MiB':>9} {'bytes/page':>11}")
    for name, b in runs.items():
        items = b.get("items_per_second")
        peak = b.get("peak_MiB")
        page = b.get("bytes_per_page")
        items_text = "" if items is None else f"{items:.0f}"
        peak_text = "" if peak is None else f"{peak:.1f}"
        page_text = "" if page is None else f"{page:.0f}"
        t = ms(b)
        time_text = f"{t:.3f}" if t >= 0.01 else f"{t:.3g}"
        print(f"{name:58} {time_text:>12} {items_text:>14} {peak_text:>9} {page_text:>11}")

    checks = []
    for job, what in (("BM_PrintLabels", "print"), ("BM_PrintTextCode128", "print 128")):
        p1, p10, p100 = (find(runs, f"{job}/{n}/") for n in (1000, 10000, 100000))
        if p1 and p10:
            per1, per10 = ms(p1) / 1000, ms(p10) / 10000
            checks.append((f"{what}: time per label at 10,000 / at 1,000", per10 / per1, "<= 1.2",
                           per10 / per1 <= 1.2))
            growth = p10["peak_MiB"] - p1["peak_MiB"]
            checks.append((f"{what}: peak MiB at 10,000 - at 1,000", growth, "<= 50", growth <= 50))
        if p10 and p100:
            growth = p100["peak_MiB"] - p10["peak_MiB"]
            checks.append((f"{what}: peak MiB at 100,000 - at 10,000", growth, "<= 30", growth <= 30))
    eti, js, bare = find(runs, "BM_LoadFile/0"), find(runs, "BM_LoadFile/1"), find(runs, "BM_ParseJsonBare")
    if js and bare:
        checks.append((".json load / bare JSON parse", ms(js) / ms(bare), "<= 2", ms(js) <= 2 * ms(bare)))
    if eti and js:
        checks.append((".eti load / .json load", ms(eti) / ms(js), "< 1", ms(eti) < ms(js)))
    paint, plain = find(runs, "BM_PaintDrawing"), find(runs, "BM_PaintPlainQPainter")
    if paint and plain:
        checks.append(("paint 10,000 elements / plain QPainter", ms(paint) / ms(plain), "<= 2",
                       ms(paint) <= 2 * ms(plain)))

    near, far = find(runs, "BM_DashedConnectorAcrossThePage"), find(runs, "BM_DashedConnector123Km")
    if near and far:
        checks.append(("dashed connector 123 km / across the page", ms(far) / ms(near), "<= 2",
                       ms(far) <= 2 * ms(near)))

    print()
    missed = 0
    for what, value, target, ok in checks:
        missed += 0 if ok else 1
        print(f"{what:48} {value:10.3f}  target {target:7} {'met' if ok else 'MISSED'}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build/bench/results"))
