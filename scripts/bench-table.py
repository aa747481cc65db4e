#!/usr/bin/env python3
"""Prints keldor-bench's JSON output as a table of medians plus pair ratios."""
import json
import sys

PAIRS = (("_FullStack", "_Direct", "full stack / direct"),
         ("_Replace", "_Append", "replace / append"))


def main(path):
    with open(path) as f:
        data = json.load(f)
    ctx = data.get("context", {})
    print(f"machine: {ctx.get('host_name', '?')}, {ctx.get('num_cpus', '?')} CPUs "
          f"at {ctx.get('mhz_per_cpu', '?')} MHz, benchmark library built as {ctx.get('library_build_type', '?')}")
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"]
        medians[name] = (b["real_time"], b["time_unit"], b.get("items_per_second"))
    width = max((len(n) for n in medians), default=10)
    print(f"{'benchmark':<{width}}  {'median':>14}  {'items/s':>14}")
    for name, (t, unit, ips) in medians.items():
        rate = f"{ips:14.4g}" if ips else f"{'':>14}"
        print(f"{name:<{width}}  {t:11.3f} {unit:>2}  {rate}")
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    for a_suffix, b_suffix, label in PAIRS:
        for name, (t, unit, _) in medians.items():
            base = name.split("/")[0]
            if not base.endswith(a_suffix):
                continue
            other = base[: -len(a_suffix)] + b_suffix + name[len(base):]
            if other in medians:
                t2, unit2, _ = medians[other]
                ratio = (t * scale[unit]) / (t2 * scale[unit2])
                print(f"ratio {label}: {name} / {other} = {ratio:.3g}")


if __name__ == "__main__":
    main(sys.argv[1])
