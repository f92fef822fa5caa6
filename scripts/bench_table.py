#!/usr/bin/env python3
"""Runs the benchmark program and prints ours against each peer.

    bench_table.py BENCH_BINARY [FILTER_REGEX]

Benchmarks are named op/type/impl/n (impl "ours" or a peer's name). Each row gives
the time per call of ours and of one peer, and ratio = ours / peer (below 1: ours is
faster). Where a benchmark reports bytes moved, "of ceiling" is its bandwidth as a
fraction of the copy ceiling measured in the same run at the closest working-set size.
"""
import json
import math
import os
import subprocess
import sys

binary = sys.argv[1]
flt = sys.argv[2] if len(sys.argv) > 2 else ""
args = [binary, "--benchmark_format=json", "--benchmark_min_time=0.2"]
if flt:
    args.append(f"--benchmark_filter={flt}|ceiling/copy")
if os.environ.get("VB_REPS"):
    args += [f"--benchmark_repetitions={os.environ['VB_REPS']}", "--benchmark_report_aggregates_only=true"]
res = json.loads(subprocess.run(args, check=True, capture_output=True, text=True).stdout)

rows = {}
order = []
for b in res["benchmarks"]:
    name = b.get("run_name", b["name"])
    if b.get("aggregate_name") not in (None, "median"):
        continue
    parts = name.split("/")
    if len(parts) != 4:
        continue
    op, typ, impl, n = parts
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    key = (op, typ, int(n))
    if key not in rows:
        rows[key] = {}
        order.append(key)
    rows[key][impl] = (b["real_time"] * scale, b.get("bytes_per_second"))

ceiling = {}   # bytes per call -> bytes/s of the copy loop
for (op, typ, n), impls in rows.items():
    if op == "ceiling" and typ == "copy" and "loop" in impls:
        ceiling[2 * n] = impls["loop"][1]


def of_ceiling(ns, bps):
    if not bps or not ceiling:
        return ""
    per_call = bps * ns * 1e-9
    size = min(ceiling, key=lambda c: abs(math.log(c / per_call)))
    return f"{bps / ceiling[size]:.2f}"


print(f"{'op':<24} {'type':<10} {'n':>10} {'ours ns':>12} {'peer':<14} {'peer ns':>12} {'ratio':>7} {'of ceiling':>10}")
for key in order:
    op, typ, n = key
    impls = rows[key]
    if op == "ceiling":
        ns, bps = impls["loop"]
        print(f"{op:<24} {typ:<10} {n:>10} {'':>12} {'loop':<14} {ns:>12.1f} {'':>7} {bps / 1e9:>8.1f}GB/s")
        continue
    if "ours" not in impls:
        continue
    ours_ns, ours_bps = impls["ours"]
    peers = [p for p in impls if p != "ours"]
    if not peers:
        print(f"{op:<24} {typ:<10} {n:>10} {ours_ns:>12.1f} {'-':<14} {'':>12} {'':>7} {of_ceiling(ours_ns, ours_bps):>10}")
    for p in peers:
        pns, _ = impls[p]
        print(f"{op:<24} {typ:<10} {n:>10} {ours_ns:>12.1f} {p:<14} {pns:>12.1f} {ours_ns / pns:>7.2f} {of_ceiling(ours_ns, ours_bps):>10}")
