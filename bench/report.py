"""Prints the comparison table of one benchmark run.

Reads the JSON files scripts/bench.sh wrote into one folder (Google Benchmark
output of the flavour programs, and the Python baselines) and prints, per
engine and case: ours, the baseline, ours/baseline, the target, met or not.
Times are medians of the repetitions, wall clock.
"""
import json
import os
import re
import statistics
import sys

MIB = 1024.0


def load(folder, name):
    path = os.path.join(folder, name)
    if not os.path.exists(path) or os.path.getsize(path) == 0:
        return None
    with open(path) as f:
        return json.load(f)


def bench_runs(doc):
    """Median seconds and the counters of every benchmark in a Google Benchmark document."""
    out = {}
    if not doc:
        return out
    runs = {}
    for b in doc.get("benchmarks", []):
        if b.get("run_type") == "aggregate":
            continue
        name = re.sub(r"/(iterations|repeats):\d+|/(real|manual)_time", "", b["run_name"])
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
        runs.setdefault(name, []).append((b["real_time"] * scale, b))
    for name, values in runs.items():
        out[name] = (statistics.median(v for v, _ in values), values[-1][1])
    return out


def python_run(doc):
    if not doc:
        return None
    return statistics.median(doc["seconds"]), doc


def fmt_time(seconds):
    return "-" if seconds is None else (f"{seconds * 1000:.2f} ms" if seconds < 0.1 else f"{seconds:.3f} s")


def main():
    folder = sys.argv[1]
    rows = []
    notes = []

    def add(engine, case, ours, base, base_name, limit, target_text, unit="time"):
        if ours is None or base is None:
            rows.append((engine, case, fmt_time(ours) if unit == "time" else "-", base_name, "-", "-",
                         target_text, "not run"))
            return
        ratio = ours / base
        met = ratio <= limit
        if unit == "time":
            rows.append((engine, case, fmt_time(ours), base_name, fmt_time(base), f"{ratio:.3f}", target_text,
                         "met" if met else "NOT met"))

    for engine, label in (("sqlite", "SQLite"), ("pg", "PostgreSQL")):
        managed = bench_runs(load(folder, f"managed-{engine}.json"))
        automation = bench_runs(load(folder, f"automation-{engine}.json"))
        managed_mem = bench_runs(load(folder, f"managed-{engine}-memory.json"))
        automation_mem = bench_runs(load(folder, f"automation-{engine}-memory.json"))
        if not managed and not automation:
            notes.append(f"{label}: no results (engine not run)")
            continue

        def seconds(runs, name):
            return runs[name][0] if name in runs else None

        for flavour, runs in (("managed", managed), ("automation VARIANT", automation)):
            key = "scan/managed" if runs is managed else "scan/automation"
            ours = seconds(runs, key)
            if ours is None and runs is automation:
                notes.append(f"{label}: the automation scan did not run")
                continue
            case = f"full scan, {flavour}"
            if engine == "sqlite":
                add(label, case, ours, seconds(managed, "scan/sqlite_c_api"), "SQLite C API", 1.5, "<= 1.5")
                add(label, case, ours, seconds(managed, "scan/sqlite_c_api_values"), "SQLite C API, value reads",
                    1.5, "<= 1.5")
                py = python_run(load(folder, "py-sqlite3-sqlite.json"))
                add(label, case, ours, py and py[0], "Python sqlite3", 0.5, "<= 0.5 (2x faster)")
                py = python_run(load(folder, "py-pyodbc-sqlite.json"))
                add(label, case, ours, py and py[0], "pyodbc, SQLite ODBC", 0.125, "<= 0.125 (8x faster)")
            else:
                add(label, case, ours, seconds(managed, "scan/raw_odbc"), "raw unixODBC block fetch", 1.2,
                    "<= 1.2")
                py = python_run(load(folder, "py-pyodbc-pg.json"))
                add(label, case, ours, py and py[0], "pyodbc", 0.5, "<= 0.5 (2x faster)")
        # The managed contract's floor: the raw scan plus boxing every value
        # afresh, with no record set at all, held to the same targets.
        floor = seconds(managed, "scan/boxing_floor")
        raw = seconds(managed, "scan/sqlite_c_api_values" if engine == "sqlite" else "scan/raw_odbc")
        if floor is not None and raw is not None:
            case = "floor: leanest raw scan + boxing"
            if engine == "sqlite":
                add(label, case, raw + floor, seconds(managed, "scan/sqlite_c_api"), "SQLite C API", 1.5, "<= 1.5")
                add(label, case, raw + floor, raw, "SQLite C API, value reads", 1.5, "<= 1.5")
                py = python_run(load(folder, "py-sqlite3-sqlite.json"))
                add(label, case, raw + floor, py and py[0], "Python sqlite3", 0.5, "<= 0.5 (2x faster)")
                py = python_run(load(folder, "py-pyodbc-sqlite.json"))
                add(label, case, raw + floor, py and py[0], "pyodbc, SQLite ODBC", 0.125, "<= 0.125 (8x faster)")
            else:
                add(label, case, raw + floor, raw, "raw unixODBC block fetch", 1.2, "<= 1.2")
                py = python_run(load(folder, "py-pyodbc-pg.json"))
                add(label, case, raw + floor, py and py[0], "pyodbc", 0.5, "<= 0.5 (2x faster)")
        add(label, "first row, managed", seconds(managed, "first_row/managed"), seconds(managed, "scan/managed"),
            "full scan, managed", 0.02, "<= 0.02 (1/50)")
        add(label, "edit 10,000 rows, managed", seconds(managed, "edit/managed"), seconds(managed, "edit/raw_update"),
            "raw parametrized UPDATE", 3.0, "<= 3")
        for flavour, runs, key in (("managed", managed_mem, "memory/managed"),
                                   ("automation", automation_mem, "memory/automation")):
            if key not in runs:
                continue
            counters = runs[key][1]
            growth = counters["peak_growth_kib"] / MIB
            before = counters["rss_before_kib"] / MIB
            rows.append((label, f"memory, full scan, {flavour}", f"+{growth:.1f} MiB", "process before the scan",
                         f"{before:.1f} MiB", "-", "< +64 MiB", "met" if growth < 64 else "NOT met"))
        for module, name in (("sqlite3", "Python sqlite3"), ("pyodbc", "pyodbc")):
            py = load(folder, f"py-{module}-{engine}.json")
            if py:
                notes.append(f"{label}: {name} peak growth of its scan +{py['peak_growth_kib'] / MIB:.1f} MiB, "
                             f"{py['rows']} rows")
        for runs in (managed, automation):
            for name, (_, b) in runs.items():
                if "rows" in b and name.startswith("scan/"):
                    notes.append(f"{label}: {name} read {int(b['rows'])} rows")

    headers = ("engine", "case", "ours", "baseline", "baseline time", "ours/baseline", "target", "")
    widths = [max(len(str(r[i])) for r in rows + [headers]) for i in range(len(headers))]
    line = "  ".join("-" * w for w in widths)
    print("  ".join(h.ljust(w) for h, w in zip(headers, widths)))
    print(line)
    for r in rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)))
    print()
    for n in notes:
        print(n)


if __name__ == "__main__":
    main()
