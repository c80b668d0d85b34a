#!/bin/sh
# Side by side in one run: tavreler-cli's CSV import and export of a sheet of
# ROWS x COLUMNS against Python's csv module reading and writing the same
# file, and the time to read the sheet file's bytes. Prints the median wall
# time of each (whole processes, RUNS runs after one warm-up) and the ratios.
#
#   bench/compare.sh [BUILD_DIR] [ROWS] [COLUMNS]      (defaults: build 10000 100; RUNS=7)
set -eu
build=${1:-build}
rows=${2:-10000}
cols=${3:-100}
runs=${RUNS:-7}
cli=$build/tavreler-cli
[ -x "$cli" ] || { echo "compare.sh: $cli not found (build it first)" >&2; exit 2; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

exec python3 - "$cli" "$tmp" "$rows" "$cols" "$runs" <<'PY'
import os, random, statistics, subprocess, sys, time

cli, tmp, rows, cols, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
src = os.path.join(tmp, "in.csv")
tvr = os.path.join(tmp, "sheet.tvr")

# The CSV the program writes: quoted fields, the corner name, marks "○" and "×", code page 932.
rnd = random.Random(1)
with open(src, "w", encoding="cp932", newline="") as f:
    f.write('"項目名",' + ",".join('"列%d"' % c for c in range(cols)) + "\n")
    for r in range(rows):
        f.write('"行%d",' % r + ",".join('"○"' if rnd.random() < 0.3 else '"×"' for _ in range(cols)) + "\n")
subprocess.run([cli, "import-csv", src, tvr], check=True)

py_rw = ("import csv,sys\n"
         "rows=list(csv.reader(open(sys.argv[1],encoding='cp932',newline='')))\n"
         "w=csv.writer(open(sys.argv[2],'w',encoding='cp932',newline=''),quoting=csv.QUOTE_ALL,lineterminator='\\n')\n"
         "w.writerows(rows)\n")
py_r = ("import csv,sys\n"
        "rows=list(csv.reader(open(sys.argv[1],encoding='cp932',newline='')))\n")
cases = [
    ("tavreler-cli import-csv", [cli, "import-csv", src, os.path.join(tmp, "o.tvr")]),
    ("tavreler-cli export-csv", [cli, "export-csv", tvr, os.path.join(tmp, "o.csv")]),
    ("python3 csv read", [sys.executable, "-c", py_r, src]),
    ("python3 csv read+write", [sys.executable, "-c", py_rw, src, os.path.join(tmp, "p.csv")]),
    ("cat sheet.tvr", ["cat", tvr]),
    ("cat in.csv", ["cat", src]),
]
times = {name: [] for name, _ in cases}
for i in range(runs + 1):
    for name, cmd in cases:  # interleaved, so drift hits every command alike
        t = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        if i:
            times[name].append(time.perf_counter() - t)
med = {k: statistics.median(v) for k, v in times.items()}
print("%d x %d: CSV %.1f MB, sheet file %.1f MB; median of %d runs"
      % (rows, cols, os.path.getsize(src) / 1e6, os.path.getsize(tvr) / 1e6, runs))
for name, _ in cases:
    print("  %-26s %8.4f s" % (name, med[name]))
print("ratios (how many times faster tavreler-cli is):")
print("  python read+write / import-csv  %6.2f" % (med["python3 csv read+write"] / med["tavreler-cli import-csv"]))
print("  python read+write / export-csv  %6.2f" % (med["python3 csv read+write"] / med["tavreler-cli export-csv"]))
print("  python read / import-csv        %6.2f" % (med["python3 csv read"] / med["tavreler-cli import-csv"]))
PY
