#!/usr/bin/env python3
"""The whole-program benchmark: the game against a bare Qt window, measured from outside.

Starts one Xvfb (with the openbox window manager, so that new windows become active, as on a
desktop), then runs, N times and alternately, the bare window of bench/bare_window.cpp and the
game, each in a fresh temporary HOME, and prints the median, minimum and maximum of every
measure and its ratio to the bare window. It reports and never judges: the exit status tells
only whether it could run at all.

    python3 bench/whole_program.py BUILD_DIR [-n 7] [--play 60] [--idle 30]

Each round runs the bare window once and the game four times: music off and music on (loop),
each without any sound server and with PulseAudio's null sink. Every game run also reads its
peak RSS 1 s after the start window is shown. Windows are seen by
window_watch, which listens to the X server's map events instead of polling.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TICK = os.sysconf("SC_CLK_TCK")
SMALL = (702, 640)  # the main window's own size
LARGE = (1920, 1040)


def note(text):
    print(f"# {text}", flush=True)


def cpu_seconds(pid):
    """User plus system time of the process and every thread it has had, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def vm_hwm_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def wait_idle(pid, quiet=0.3, limit=10.0):
    """Waits until the process has used no CPU for `quiet` seconds, at most `limit` seconds."""
    end = time.monotonic() + limit
    last = cpu_seconds(pid)
    still_since = time.monotonic()
    while time.monotonic() < end:
        time.sleep(0.05)
        now = cpu_seconds(pid)
        if now != last:
            last, still_since = now, time.monotonic()
        elif time.monotonic() - still_since >= quiet:
            return True
    return False


class Watch:
    """One window_watch process: listening before the program it waits for starts."""

    # On a busy machine a watcher that waits for a core would see the window late, and read
    # the memory of whatever the program did next: it runs at real-time priority when allowed.
    realtime = None

    def __init__(self, tool, env, timeout_ms=20000):
        if Watch.realtime is None:
            Watch.realtime = shutil.which("chrt") is not None and subprocess.run(
                ["chrt", "-f", "10", "true"], stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL).returncode == 0
            if not Watch.realtime:
                note("window_watch runs at normal priority (chrt -f not allowed): on a busy "
                     "machine windows may be seen late")
        command = [tool, str(timeout_ms)]
        if Watch.realtime:
            command = ["chrt", "-f", "10"] + command
        self.proc = subprocess.Popen(command, env=env, text=True,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        if self.proc.stdout.readline().strip() != "ready":
            raise RuntimeError("window_watch could not open the display")

    def expect(self, pid, title="-", excluded=()):
        self.proc.stdin.write(" ".join([str(pid), title] + [str(w) for w in excluded]) + "\n")
        self.proc.stdin.flush()

    def result(self):
        """(monotonic ns, window id, VmHWM in MB) or None on timeout."""
        words = self.proc.stdout.readline().split()
        self.proc.wait()
        if len(words) != 4 or words[0] != "shown":
            return None
        return int(words[1]), int(words[2]), int(words[3]) / 1024


def xdotool(*args, env):
    return subprocess.run(["xdotool", *map(str, args)], env=env, check=False,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout


def stop(proc):
    if proc and proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class Bench:
    def __init__(self, args):
        self.args = args
        build = os.path.abspath(args.build)
        self.game = os.path.join(build, "src", "ui", "marvolen")
        self.bare = os.path.join(build, "bench", "bare_window")
        self.watch = os.path.join(build, "bench", "window_watch")
        for path in (self.game, self.bare, self.watch):
            if not os.access(path, os.X_OK):
                sys.exit(f"missing {path}: build the targets marvolen, bare_window and "
                         "window_watch first")
        self.work = tempfile.mkdtemp(prefix="marvolen-bench-")
        self.samples = {}
        self.xvfb = self.wm = None
        self.have_xdotool = shutil.which("xdotool") is not None
        self.have_pulse = shutil.which("pulseaudio") is not None and shutil.which("pactl")
        self.start_size = None
        self.shown_ns = 0

    def add(self, measure, value):
        if value is not None:
            self.samples.setdefault(measure, []).append(value)

    # ---- the X server ----

    def start_display(self):
        if not shutil.which("Xvfb"):
            sys.exit("Xvfb is missing (Debian package xvfb): nothing can be measured")
        read, write = os.pipe()
        # -noreset: a server that resets when its last client leaves turns away a client that
        # connects meanwhile.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1080x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()
        base = self.fresh_env("wm")
        if shutil.which("openbox"):
            self.wm = subprocess.Popen(["openbox"], env=base, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=base,
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                       text=True).stdout
                if "window id" in probe:
                    break
                time.sleep(0.05)
        else:
            note("openbox is missing (Debian package openbox): no window manager, windows are "
                 "focused with xdotool")

    def fresh_env(self, name):
        """A new HOME with its own configuration, data, cache, runtime and temporary folders."""
        home = tempfile.mkdtemp(prefix=name + "-", dir=self.work)
        env = {k: v for k, v in os.environ.items()
               if k in ("PATH", "LANG", "LC_ALL", "LANGUAGE", "TZ", "USER", "LOGNAME")}
        env.update({
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "run"),
            "TMPDIR": os.path.join(home, "tmp"),
            "DISPLAY": getattr(self, "display", ""),
            "QT_QPA_PLATFORM": "xcb",
        })
        for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                    "TMPDIR"):
            os.makedirs(env[key], mode=0o700, exist_ok=True)
        return env

    def close(self):
        stop(self.wm)
        stop(self.xvfb)
        shutil.rmtree(self.work, ignore_errors=True)

    # ---- one program run ----

    def launch(self, command, env, title="-"):
        """Starts a program; gives (process, seconds to its first window, window, VmHWM MB)."""
        watch = Watch(self.watch, env)
        t0 = time.monotonic_ns()
        proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        watch.expect(proc.pid, title)
        shown = watch.result()
        if shown is None:
            stop(proc)
            return None, None, None, None
        self.shown_ns = shown[0]
        return proc, (shown[0] - t0) / 1e9, shown[1], shown[2]

    def settled_rss(self, pid, seconds=1.0):
        """VmHWM once the first window has been on screen for `seconds`: what the program
        takes on while that window waits."""
        left = seconds - (time.monotonic_ns() - self.shown_ns) / 1e9
        if left > 0:
            time.sleep(left)
        return vm_hwm_mb(pid)

    def run_bare(self):
        env = self.fresh_env("bare")
        size = self.start_size or (704, 360)
        proc, seconds, _, hwm = self.launch([self.bare, str(size[0]), str(size[1])], env)
        self.add("exec to start window shown|bare", seconds)
        self.add("peak RSS at start window|bare", hwm)
        stop(proc)

    def press_ok(self, pid, start_window, env):
        """Presses Enter on the start window's OK; seconds until the main window is mapped."""
        wait_idle(pid)  # OK shows when the main window has loaded, hidden
        for _ in range(3):
            if self.wm:
                xdotool("windowactivate", "--sync", start_window, env=env)
            else:
                xdotool("windowfocus", "--sync", start_window, env=env)
            watch = Watch(self.watch, env, 5000)
            watch.expect(pid, "Marvolen", [start_window])
            t0 = time.monotonic_ns()
            xdotool("key", "Return", env=env)
            shown = watch.result()
            if shown:
                return (shown[0] - t0) / 1e9, shown[1]
            note("the main window did not appear after Enter; pressing again")
            wait_idle(pid)
        return None, None

    def run_game(self, music, server, first):
        env = self.fresh_env("game")
        settings = os.path.join(env["XDG_CONFIG_HOME"], "Marvolen")
        os.makedirs(settings)
        with open(os.path.join(settings, "Marvolen.conf"), "w") as f:
            f.write(f"[Optionen]\nPlayMusic={2 if music else 0}\n")
        pulse = None
        if server:
            pulse = self.start_pulse(env)
            if pulse is None:
                return
        proc = None
        try:
            proc, seconds, start_window, hwm = self.launch([self.game], env)
            if proc is None:
                note("the game's start window did not appear")
                return
            where = "with PulseAudio null sink" if server else "without sound server"
            self.add(f"peak RSS 1 s after start window, music {'on' if music else 'off'}, "
                     f"{where}|game", self.settled_rss(proc.pid))
            if first:
                self.add("exec to start window shown|game", seconds)
                self.add("peak RSS at start window|game", hwm)
                if self.start_size is None:
                    self.start_size = self.window_size(start_window, env)
            ok, main_window = self.press_ok(proc.pid, start_window, env)
            if ok is None:
                return
            if first:
                self.add("OK to main window shown|game", ok)
            if music:
                # The tune starts with the main window; the CPU is taken over the end of play.
                time.sleep(max(0.0, self.args.play - self.args.idle))
                c0 = cpu_seconds(proc.pid)
                time.sleep(self.args.idle)
                share = (cpu_seconds(proc.pid) - c0) / self.args.idle * 100
                self.add(f"CPU % music on, {where}|game", share)
                self.add(f"peak RSS after {self.args.play:g} s of music, {where}|game",
                         vm_hwm_mb(proc.pid))
            elif self.args.start_only:
                return
            else:
                wait_idle(proc.pid, quiet=1.0)
                c0 = cpu_seconds(proc.pid)
                time.sleep(self.args.idle)
                share = (cpu_seconds(proc.pid) - c0) / self.args.idle * 100
                self.add(f"CPU % idle, music off, {where}|game", share)
                if first:
                    self.measure_resize(proc.pid, main_window, env)
                    self.measure_drag(proc.pid, main_window, env)
        finally:
            stop(proc)
            stop(pulse)

    def window_size(self, window, env):
        out = xdotool("getwindowgeometry", window, env=env)
        for line in out.splitlines():
            if "Geometry:" in line:
                w, h = line.split()[-1].split("x")
                return int(w), int(h)
        return None

    def measure_resize(self, pid, window, env):
        wait_idle(pid)
        total = 0.0
        count = 0
        for _ in range(self.args.resizes):
            for size in (LARGE, SMALL):
                c0 = cpu_seconds(pid)
                xdotool("windowsize", "--sync", window, *size, env=env)
                wait_idle(pid, quiet=0.2)
                total += cpu_seconds(pid) - c0
                count += 1
                if self.window_size(window, env) != size:
                    note(f"the window did not take the size {size[0]} x {size[1]}")
        self.add("CPU ms per resize 702x640 <-> 1920x1040|game", total / count * 1000)

    def measure_drag(self, pid, window, env):
        # The marble at the middle of the left arm of the board, in the window's own size.
        xdotool("windowsize", "--sync", window, *SMALL, env=env)
        wait_idle(pid)
        pos = xdotool("getwindowgeometry", window, env=env)
        x = y = None
        for line in pos.splitlines():
            if "Position:" in line:
                x, y = (int(v) for v in line.split()[1].split(","))
        if x is None:
            return
        mx, my = x + self.args.marble[0], y + self.args.marble[1]
        xdotool("mousemove", "--sync", mx, my, "mousedown", "1", "sleep", "0.1",
                "mousemove_relative", "--", "8", "0", "sleep", "0.2", env=env)
        wait_idle(pid, quiet=0.2)
        steps = self.args.drag_steps
        chain = []
        for i in range(steps):
            # Back and forth over the board, one pixel-distinct step each time.
            dx = 3 if (i // 50) % 2 == 0 else -3
            chain += ["mousemove_relative", "--", str(dx), "1" if i % 2 else "-1", "sleep",
                      "0.02"]
        c0 = cpu_seconds(pid)
        t0 = time.monotonic()
        xdotool(*chain, env=env)
        wait_idle(pid, quiet=0.2)
        used = cpu_seconds(pid) - c0
        elapsed = time.monotonic() - t0
        xdotool("mouseup", "1", env=env)
        idle = self.samples.get("CPU % idle, music off, without sound server|game", [0])[-1]
        per_step = max(0.0, used - idle / 100 * elapsed) / steps * 1000
        self.add("CPU ms per drag step|game", per_step)
        wait_idle(pid)

    def start_pulse(self, env):
        if not self.have_pulse:
            return None
        pulse = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1",
             "--load=module-null-sink", "--load=module-native-protocol-unix",
             "--load=module-always-sink", "--disable-shm=false", "--log-target=stderr"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if subprocess.run(["pactl", "info"], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return pulse
            if pulse.poll() is not None:
                break
            time.sleep(0.1)
        stop(pulse)
        note("PulseAudio did not start: the measures with a sound server are left out")
        self.have_pulse = False
        return None

    # ---- the whole run ----

    def run(self):
        self.start_display()
        if not self.have_xdotool:
            note("xdotool is missing (Debian package xdotool): only the start is measured")
        if not self.have_pulse:
            note("pulseaudio is missing (Debian package pulseaudio): the measures with a sound "
                 "server are left out")
        if self.args.start_only:
            note(f"N = {self.args.n}, the start only, display {self.display}")
        else:
            note(f"N = {self.args.n}, {self.args.play:g} s of music, {self.args.idle:g} s for "
                 f"idle CPU, display {self.display}")
        for i in range(self.args.n):
            self.run_bare()
            if not self.have_xdotool:
                proc, seconds, _, hwm = self.launch([self.game], self.fresh_env("game"))
                self.add("exec to start window shown|game", seconds)
                self.add("peak RSS at start window|game", hwm)
                if proc is not None:
                    self.add("peak RSS 1 s after start window, music off, without sound "
                             "server|game", self.settled_rss(proc.pid))
                stop(proc)
                continue
            self.run_game(music=False, server=False, first=True)
            if self.args.start_only:
                continue
            self.run_game(music=True, server=False, first=False)
            if self.have_pulse:
                self.run_game(music=False, server=True, first=False)
                self.run_game(music=True, server=True, first=False)
            note(f"round {i + 1} of {self.args.n} done")
        self.report()

    def report(self):
        bare_start = self.samples.get("exec to start window shown|bare")
        bare_rss = self.samples.get("peak RSS at start window|bare")
        base = {"exec to start window shown": bare_start, "OK to main window shown": bare_start,
                "peak RSS at start window": bare_rss}
        rows = [("measure", "program", "median", "min", "max", "x bare")]
        for key, values in self.samples.items():
            measure, program = key.split("|")
            unit_scale = 1000 if measure in ("exec to start window shown",
                                             "OK to main window shown") else 1
            median = statistics.median(values)
            ratio = "-"
            reference = base.get(measure) or (bare_rss if measure.startswith("peak RSS") else None)
            if program == "game" and reference:
                ratio = f"{median / statistics.median(reference):.2f}"
            unit = {1000: " ms"}.get(unit_scale, " MB" if measure.startswith("peak") else "")
            rows.append((measure, f"{program} (n={len(values)})",
                         f"{median * unit_scale:.2f}{unit}", f"{min(values) * unit_scale:.2f}",
                         f"{max(values) * unit_scale:.2f}", ratio))
        widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
        for r in rows:
            print("  ".join(c.ljust(w) if i < 2 else c.rjust(w)
                            for i, (c, w) in enumerate(zip(r, widths))))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", help="the build folder (a Release build gives fair figures)")
    parser.add_argument("-n", type=int, default=7, help="rounds (default 7)")
    parser.add_argument("--play", type=float, default=60, help="seconds of music (default 60)")
    parser.add_argument("--idle", type=float, default=30,
                        help="seconds over which idle and music CPU is taken (default 30)")
    parser.add_argument("--resizes", type=int, default=5,
                        help="round trips 702x640 -> 1920x1040 -> 702x640 (default 5)")
    parser.add_argument("--drag-steps", type=int, default=200, help="pointer steps (default 200)")
    parser.add_argument("--marble", type=int, nargs=2, default=(105, 299), metavar=("X", "Y"),
                        help="where a marble lies in the 702 x 640 window (default 105 299)")
    parser.add_argument("--start-only", action="store_true",
                        help="only the start: exec to start window, its RSS, OK to main window")
    args = parser.parse_args()
    args.play = max(args.play, args.idle)
    bench = Bench(args)
    try:
        bench.run()
    finally:
        bench.close()


if __name__ == "__main__":
    main()
