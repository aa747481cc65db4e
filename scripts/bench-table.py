#!/usr/bin/env python3
"""Prints keldor-bench's JSON output as a table of medians plus pair ratios."""
import json
import sys

# (suffix of the measured one, suffix of what it is measured against, label);
# an empty suffix is the plain name.
PAIRS = (("_FullStack", "_Direct", "full stack / direct"),
         ("_Replace", "_Append", "replace / append"),
         ("", "_Today", "now / today"),
         ("", "_QCustomPlot", "tool / bare QCustomPlot"))


def split(name):
    base, _, rest = name.partition("/")
    return base, ("/" + rest) if rest else ""


def main(path):
    with open(path) as f:
        data = json.load(f)
    ctx = data.get("context", {})
    print(f"machine: {ctx.get('host_name', '?')}, {ctx.get('num_cpus', '?')} CPUs "
          f"at {ctx.get('mhz_per_cpu', '?')} MHz, benchmark library built as {ctx.get('library_build_type', '?')}")
    medians = {}
    for b in data["benchmarks"]:
        # Repeated benchmarks report their median; one-off ones (the 60 s streams) their only run.
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"])
        extra = {k: v for k, v in b.items() if k in ("core %", "drawn points")}
        medians[name] = (b["real_time"], b["cpu_time"], b["time_unit"], extra)
    width = max((len(n) for n in medians), default=10)
    print(f"{'benchmark':<{width}}  {'median wall':>14}  {'median CPU':>14}  counters")
    for name, (t, cpu, unit, extra) in medians.items():
        counters = ", ".join(f"{k} {v:.3g}" for k, v in extra.items())
        print(f"{name:<{width}}  {t:11.3f} {unit:>2}  {cpu:11.3f} {unit:>2}  {counters}")
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    suffixes = {s for pair in PAIRS for s in pair[:2] if s}
    for a_suffix, b_suffix, label in PAIRS:
        for name, (_, cpu, unit, _) in medians.items():
            base, args = split(name)
            if a_suffix:
                if not base.endswith(a_suffix):
                    continue
                stem = base[: -len(a_suffix)]
            elif any(base.endswith(s) for s in suffixes):
                continue
            else:
                stem = base
            other = stem + b_suffix + args
            if other in medians and other != name:
                _, cpu2, unit2, _ = medians[other]
                ratio = (cpu * scale[unit]) / (cpu2 * scale[unit2])
                print(f"ratio {label} (CPU): {name} / {other} = {ratio:.3g}")

if __name__ == "__main__":
    main(sys.argv[1])
