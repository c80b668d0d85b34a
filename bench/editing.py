#!/usr/bin/env python3
# The editor driven as a user drives it, on sheets of 100 and of 100,000
# rows (10 columns) and of 10,000 x 100, the same keys on each and all
# within the first 90 rows, so that the view scrolls on every sheet alike:
# Space then Down row after row (a check and its undo snapshot each), Up and
# Down back and forth, then Page Up and Page Down. Prints the editor's CPU
# time per key for each sheet, the ratio of each sheet to the 100-row one,
# and the memory each stretch added. Starts its own Xvfb (needs Xvfb, xev and
# xdotool).
#
#   python3 bench/editing.py [BUILD_DIR]      (default: build; ROUNDS=3)
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import startup  # noqa: E402  (its Xvfb, sheets and CPU reading)

SHEETS = [(100, 10), (100000, 10), (10000, 100)]


def rss_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def idle(pid, quiet=0.5, limit=60):
    """Waits until the editor has used no CPU for `quiet` seconds."""
    end = time.time() + limit
    last, calm = startup.cpu_seconds(pid), time.time()
    while time.time() < end:
        time.sleep(0.1)
        now = startup.cpu_seconds(pid)
        if now != last:
            last, calm = now, time.time()
        elif time.time() - calm >= quiet:
            return
    startup.fail("the editor did not settle")


ROWS = 90  # rows a stretch walks, all on the smallest sheet
PHASES = [
    ("space+down", ["space", "Down"] * ROWS),
    ("up, down", (["Up"] * ROWS + ["Down"] * ROWS)),
    ("page keys", (["Prior"] * (ROWS // 5) + ["Next"] * (ROWS // 5)) * 2),
]


def keys(env, win, names):
    # One xdotool for the whole stretch; 15 ms between keys leaves time to paint.
    subprocess.run(["xdotool", "key", "--window", win, "--delay", "15"] + names,
                   env=env, check=True)


def measure(exe, sheet, env, watch, rounds):
    watch.drain()
    t = time.perf_counter()
    p = subprocess.Popen([exe, sheet], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if watch.wait_named("Tavreler", p, t + 30) is None:
            startup.fail("no window for " + sheet)
        win = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Tavreler"], env=env,
                             capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", win], env=env)
        idle(p.pid)
        out = {name: [0.0, 0.0] for name, _ in PHASES}
        for r in range(rounds):
            for name, seq in PHASES:
                rss, cpu = rss_mb(p.pid), startup.cpu_seconds(p.pid)
                keys(env, win, seq)
                idle(p.pid)
                out[name][0] += (startup.cpu_seconds(p.pid) - cpu) / (rounds * len(seq))
                out[name][1] += rss_mb(p.pid) - rss
            if r + 1 < rounds:
                keys(env, win, ["Prior"] * (ROWS // 5 + 1))  # back to the top
                idle(p.pid)
        return out
    finally:
        startup.stop(p)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    rounds = int(os.environ.get("ROUNDS", "3"))
    tmp = tempfile.mkdtemp(prefix="tavreler-editing-")
    env = dict(os.environ, HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, ".config"),
               XDG_RUNTIME_DIR=tmp, LANG="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    xv = watch = None
    try:
        sheets = []
        for rows, cols in SHEETS:
            csv, tvr = (os.path.join(tmp, "s%dx%d.%s" % (rows, cols, e)) for e in ("csv", "tvr"))
            startup.write_csv(csv, rows, cols)
            subprocess.run([os.path.join(build, "tavreler-cli"), "import-csv", csv, tvr], check=True)
            sheets.append(("%d x %d" % (rows, cols), tvr))
        xv = startup.start_xvfb(env)
        watch = startup.MapWatch(env)
        res = {name: measure(os.path.join(build, "tavreler"), tvr, env, watch, rounds)
               for name, tvr in sheets}
        base = sheets[0][0]
        print("editor CPU per key over %d rounds (ms; ratio to %s; memory added)" % (rounds, base))
        for name, _ in sheets:
            print("  " + name)
            for what, (cpu, mb) in res[name].items():
                print("    %-11s %6.3f ms  %5.2fx  %+6.1f MB"
                      % (what, cpu * 1e3, cpu / max(res[base][what][0], 1e-9), mb))
    finally:
        if watch:
            watch.stop()
        if xv:
            startup.stop(xv)
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
