#!/usr/bin/env python3
# The editor's start with a small and a large sheet, side by side in one run:
# each run launches the editor on the sheet and measures the wall time until
# its window is mapped, then the CPU time the process has used once the window
# has settled. The mapping is seen as an event (xev on the root window):
# polling with a process per look would take a processor from an editor that
# reads its file on a second thread, on a machine of two. Runs are interleaved (RUNS, default 8, after one
# warm-up each) so that drift hits both sheets alike; prints the medians and
# the ratio of large to small. Needs Xvfb, xev and xdotool; starts its own X server
# on a free display and uses its own home and runtime folders.
#
#   python3 bench/startup.py [BUILD_DIR...]      (default: build; RUNS=8)
#
# With several build folders every build runs in the same interleaved rounds,
# so that their figures compare within one run.
import os
import queue
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

SIZES = [(3, 3), (10000, 100)]
SETTLE = 0.5  # seconds after the window shows before the CPU time is read


def fail(msg):
    print("startup.py: " + msg, file=sys.stderr)
    sys.exit(2)


def write_csv(path, rows, cols):
    # The CSV the program writes: quoted fields, the corner name, marks, code page 932.
    rnd = random.Random(1)
    with open(path, "w", encoding="cp932", newline="") as f:
        f.write('"項目名",' + ",".join('"列%d"' % c for c in range(cols)) + "\n")
        for r in range(rows):
            f.write('"行%d",' % r + ",".join('"○"' if rnd.random() < 0.3 else '"×"'
                                             for _ in range(cols)) + "\n")


def free_display():
    for n in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    fail("no free X display number")


def start_xvfb(env):
    n = free_display()
    # -noreset: the server otherwise resets whenever its last client leaves,
    # and an editor connecting just then fails to start.
    xv = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x900x24", "-nolisten", "tcp", "-noreset"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env["DISPLAY"] = ":%d" % n
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if xv.poll() is not None:
            fail("Xvfb on :%d exited" % n)
        if os.path.exists("/tmp/.X11-unix/X%d" % n):
            r = subprocess.run(["xdotool", "getdisplaygeometry"], env=env,
                               capture_output=True, text=True)
            if r.returncode == 0:
                return xv
        time.sleep(0.05)
    xv.kill()
    fail("Xvfb on :%d did not come up" % n)


def stop(proc):
    """Ends a process: asked first, then made to."""
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def cpu_seconds(pid):
    # The whole process's user and system time, threads that already ended
    # included (the editor reads its file on a thread of its own); in clock
    # ticks, so medians over several runs matter.
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class MapWatch:
    """Windows mapped on the display, as xev on the root window reports them."""

    def __init__(self, env):
        self.env = env
        self.maps = queue.Queue()
        self.xev = subprocess.Popen(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"],
                                    env=env, stdout=subprocess.PIPE, text=True)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        mapping = False
        for line in self.xev.stdout:
            if line.startswith("MapNotify"):
                mapping = True
            elif mapping:
                mapping = False
                # "    event 0x...., window 0x...., override NO"
                self.maps.put((time.perf_counter(), line.split("window ")[1].split(",")[0]))

    def drain(self):
        while not self.maps.empty():
            self.maps.get_nowait()

    def wait_named(self, name, proc, limit):
        """Time of the first window mapped whose title holds name."""
        while True:
            try:
                t, win = self.maps.get(timeout=0.1)
            except queue.Empty:
                if proc.poll() is not None or time.perf_counter() > limit:
                    return None
                continue
            r = subprocess.run(["xdotool", "getwindowname", win], env=self.env,
                               capture_output=True, text=True)
            if name in r.stdout:
                return t

    def stop(self):
        stop(self.xev)


def run_once(exe, sheet, env, log, watch):
    watch.drain()
    t = time.perf_counter()
    p = subprocess.Popen([exe, sheet], env=env, stdout=log, stderr=subprocess.STDOUT)
    try:
        shown = watch.wait_named("Tavreler", p, t + 30)
        if shown is None:
            if p.poll() is not None:
                log.flush()
                with open(log.name, errors="replace") as f:
                    sys.stderr.write(f.read()[-2000:])
                fail("the editor exited (%d) before showing a window" % p.returncode)
            fail("no window within 30 s")
        wall = shown - t
        time.sleep(SETTLE)
        cpu = cpu_seconds(p.pid)
    finally:
        stop(p)
    return wall, cpu


def main():
    builds = sys.argv[1:] or ["build"]
    for build in builds:
        for name in ("tavreler", "tavreler-cli"):
            if not os.access(os.path.join(build, name), os.X_OK):
                fail(os.path.join(build, name) + " not found (build it first)")
    for tool in ("Xvfb", "xev", "xdotool", "stdbuf"):
        if not shutil.which(tool):
            fail(tool + " not found")
    runs = int(os.environ.get("RUNS", "8"))
    tmp = tempfile.mkdtemp(prefix="tavreler-startup-")
    home = os.path.join(tmp, "home")
    rt = os.path.join(tmp, "runtime")
    os.makedirs(os.path.join(home, ".config"))
    os.makedirs(rt, mode=0o700)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_DATA_HOME=os.path.join(home, ".local/share"),
               XDG_RUNTIME_DIR=rt, LANG="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    xv = None
    watch = None
    try:
        sheets = []
        cli = os.path.join(builds[0], "tavreler-cli")
        for rows, cols in SIZES:
            csv = os.path.join(tmp, "s%dx%d.csv" % (rows, cols))
            tvr = os.path.join(tmp, "s%dx%d.tvr" % (rows, cols))
            write_csv(csv, rows, cols)
            subprocess.run([cli, "import-csv", csv, tvr], check=True, env=env)
            sheets.append(("%d x %d" % (rows, cols), tvr))
        xv = start_xvfb(env)
        watch = MapWatch(env)
        cases = [(b, name, tvr) for b in builds for name, tvr in sheets]
        wall = {c[:2]: [] for c in cases}
        cpu = {c[:2]: [] for c in cases}
        with open(os.path.join(tmp, "editor.log"), "ab") as log:
            for i in range(runs + 1):
                for build, name, tvr in cases:  # interleaved
                    w, c = run_once(os.path.join(build, "tavreler"), tvr, env, log, watch)
                    if i:
                        wall[(build, name)].append(w)
                        cpu[(build, name)].append(c)
        print("editor start until the window is visible; median of %d runs" % runs)
        small, large = sheets[0][0], sheets[-1][0]
        for build in builds:
            mw = {n: statistics.median(wall[(build, n)]) for n, _ in sheets}
            mc = {n: statistics.median(cpu[(build, n)]) for n, _ in sheets}
            if len(builds) > 1:
                print(build + ":")
            for name, _ in sheets:
                print("  %-12s wall %.3f s   cpu %.3f s" % (name, mw[name], mc[name]))
            print("  ratio %s / %s: wall %.2f, cpu %.2f; cpu difference %.3f s"
                  % (large, small, mw[large] / mw[small], mc[large] / mc[small], mc[large] - mc[small]))
    finally:
        if watch:
            watch.stop()
        if xv:
            stop(xv)
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
