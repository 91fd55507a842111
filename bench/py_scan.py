"""Python baselines of the full scan: what a script author would otherwise
write. Runs the statement through the sqlite3 module or pyodbc, walking every
row (each row's values are built by the fetch), and prints one JSON object:
wall times of each run, rows, resident memory before, peak growth of the first
run. Usage:
  py_scan.py sqlite3 DBFILE SQL REPS
  py_scan.py pyodbc CONNECT SQL REPS
"""
import json
import sys
import time


def memory():
    rss = peak = 0
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1])
            elif line.startswith("VmHWM:"):
                peak = int(line.split()[1])
    return rss, peak


def reset_peak():
    try:
        with open("/proc/self/clear_refs", "w") as f:
            f.write("5")
    except OSError:
        pass


def main():
    module, target, sql, reps = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    if module == "sqlite3":
        import sqlite3
        connection = sqlite3.connect(target)
    elif module == "pyodbc":
        import pyodbc
        connection = pyodbc.connect(target, autocommit=True)
    else:
        raise SystemExit("unknown module " + module)
    times, rows, growth = [], 0, 0
    reset_peak()
    before, _ = memory()
    for run in range(reps):
        start = time.perf_counter()
        cursor = connection.cursor()
        cursor.execute(sql)
        rows = 0
        for row in cursor:
            rows += 1
        cursor.close()
        times.append(time.perf_counter() - start)
        if run == 0:
            growth = memory()[1] - before
    connection.close()
    print(json.dumps({"module": module, "seconds": times, "rows": rows,
                      "rss_before_kib": before, "peak_growth_kib": growth}))


if __name__ == "__main__":
    main()
