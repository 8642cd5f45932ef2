#!/usr/bin/env python3
"""The practice aids' memory, measured from outside: what the hint's and the warning's solvers
add to the game's resident size, and whether it comes back on a fresh board.

Runs the real game under an Xvfb and openbox of its own, in a fresh temporary HOME (never the
user's settings or champions lists), and plays it by keyboard with xdotool, as a player who has
only the keyboard would. Memory is VmRSS from /proc/PID/status. It reports and never judges: the
exit status tells only whether it could drive the game.

    python3 bench/aids_memory.py BUILD_DIR [--jumps 6] [--run 60] [--soak MINUTES]

One run measures, on the variant with the most holes (read from src/game/variants.cpp), music
and sound effects off:
  a. the main window settled, no game started;
  b. a game with no aid asked and the warning off, after some jumps;
  c. the same game made a practice game by a hint (H, Yes), the warning switched on from the
     options menu and a few more jumps, after `--run` seconds of both working, and the most
     seen meanwhile;
  d. a fresh board (another variant chosen), settled; then Start on it (with the warning on,
     its question about the start position comes back) and the warning switched off.
`--soak MINUTES` instead plays games again and again with music on (loop) against a private
PulseAudio server with a null sink, the warning on and a hint every few jumps, closes the end's
windows by keyboard, and samples VmRSS every minute.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import whole_program as wp  # noqa: E402  (the display, HOME, window and process helpers)

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ARROWS = {"Up": (-1, 0), "Down": (1, 0), "Left": (0, -1), "Right": (0, 1)}
CENTRE = 24

# The main window's Tab order (src/ui/main_window.cpp, buildPanel): the nine command buttons,
# the twenty variant pictures, the five flags, the two displays, the board; round at the ends.
START, OPTIONS = 0, 7
VARIANT0 = 9
BOARD = VARIANT0 + 20 + 5 + 2
STOPS = BOARD + 1


def status(pid):
    """VmRSS, RssAnon and VmHWM in MB and the thread count, from /proc/PID/status."""
    values = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "RssAnon", "VmHWM"):
                values[key] = int(rest.split()[0]) / 1024
            elif key == "Threads":
                values[key] = int(rest)
    return values


def variants():
    """The hole patterns of the variants, in the game's order: sets of places 0 to 48."""
    with open(os.path.join(SOURCE, "src", "game", "variants.cpp")) as f:
        patterns = re.findall(r'\{"([01.]{55})"', f.read())
    return [{i for i, c in enumerate(p.replace(".", "")) if c == "1"} for p in patterns]


class Board:
    """The game's board as the script plays it: holes, marbles and the keyboard's ring."""

    def __init__(self, holes):
        self.holes = set(holes)
        self.marbles = set(holes)
        self.cursor = CENTRE

    def choose(self, holes):
        self.holes = set(holes)
        self.marbles = set(holes)
        # The board is built anew, its holes hidden first: the ring goes back to the centre.
        self.cursor = CENTRE

    def start(self):
        self.marbles = set(self.holes)
        self.marbles.discard(CENTRE)

    def jumps(self):
        found = []
        for source in sorted(self.marbles):
            r, c = divmod(source, 7)
            for dr, dc in ARROWS.values():
                over, target = (r + dr, c + dc), (r + 2 * dr, c + 2 * dc)
                if not (0 <= target[0] < 7 and 0 <= target[1] < 7):
                    continue
                o, t = over[0] * 7 + over[1], target[0] * 7 + target[1]
                if o in self.marbles and t in self.holes and t not in self.marbles:
                    found.append((source, o, t))
        return found

    def jump(self, source, over, target):
        self.marbles -= {source, over}
        self.marbles.add(target)

    def next_hole(self, place, rows, columns):
        r, c = divmod(place, 7)
        while True:
            r, c = r + rows, c + columns
            if not (0 <= r < 7 and 0 <= c < 7):
                return place
            if r * 7 + c in self.holes:
                return r * 7 + c

    def arrows_to(self, goal):
        """The fewest arrow keys that take the ring from where it is to goal."""
        way = {self.cursor: []}
        queue = [self.cursor]
        while queue and goal not in way:
            at = queue.pop(0)
            for key, (rows, columns) in ARROWS.items():
                there = self.next_hole(at, rows, columns)
                if there not in way:
                    way[there] = way[at] + [key]
                    queue.append(there)
        self.cursor = goal
        return way[goal]


class Stuck(Exception):
    """The game did not do what the keys asked: the run cannot go on."""


class AidsBench(wp.Bench):
    # Only the display, HOME, PulseAudio and start-window helpers of the whole-program bench
    # are used; its own constructor would ask for the bare window, which this one never runs.
    def __init__(self, args):  # pylint: disable=super-init-not-called
        self.args = args
        build = os.path.abspath(args.build)
        self.ui = os.path.join(build, "src", "ui")
        self.game = os.path.join(self.ui, "marvolen")
        self.watch = os.path.join(build, "bench", "window_watch")
        for path in (self.game, self.watch):
            if not os.access(path, os.X_OK):
                sys.exit(f"missing {path}: build the targets marvolen and window_watch first")
        for tool in ("xdotool", "Xvfb"):
            if not shutil.which(tool):
                sys.exit(f"{tool} is missing: the game cannot be driven")
        self.work = tempfile.mkdtemp(prefix="marvolen-aids-")
        self.xvfb = self.wm = None
        self.have_pulse = shutil.which("pulseaudio") is not None and shutil.which("pactl")
        self.shown_ns = 0
        self.rows = []
        self.proc = self.pulse = None
        self.layouts = variants()
        self.largest = max(range(len(self.layouts)), key=lambda i: len(self.layouts[i]))

    # ---- the game's process ----

    def launch(self, env, music):
        """Starts a copy of the game in env's HOME and presses OK; the game's main window."""
        settings = os.path.join(env["XDG_CONFIG_HOME"], "Marvolen")
        os.makedirs(settings)
        self.conf = os.path.join(settings, "Marvolen.conf")
        with open(self.conf, "w") as f:
            # English, so that the practice question's Yes is the key Y.
            f.write(f"[Optionen]\nPlayMusic={2 if music else 0}\nPlaySound={-1 if music else 0}\n"
                    "Sprache=1000\n")
        # The champions lists and error reports go beside the program: a copy in the fresh
        # HOME keeps them away from the build and from the user's own.
        folder = os.path.join(env["HOME"], "bin")
        os.makedirs(folder)
        for name in os.listdir(self.ui):
            if name == "marvolen" or name.endswith(".so"):
                shutil.copy2(os.path.join(self.ui, name), folder)
        self.env = env
        # The pointer in a corner, away from every tooltip.
        wp.xdotool("mousemove", "0", "0", env=env)
        self.stderr = os.path.join(env["HOME"], "stderr.log")
        watch = wp.Watch(self.watch, env, 60000)
        self.proc = subprocess.Popen([os.path.join(folder, "marvolen")], env=env,
                                     stdout=subprocess.DEVNULL, stderr=open(self.stderr, "w"))
        watch.expect(self.proc.pid)
        shown = watch.result()
        if shown is None:
            raise Stuck("the start window did not appear")
        self.start_window = shown[1]
        _, self.main = self.press_ok(self.proc.pid, self.start_window, env)
        if self.main is None:
            raise Stuck("the main window did not appear")
        self.wait_active(self.main)
        self.settle(quiet=0.5)
        # The shown main window has no Tab stop in focus; the first Tab reaches Start.
        self.keys("Tab")
        self.focus = START
        self.board = Board(self.layouts[4])  # the first start's variant, the cross
        self.practice = False

    def measure(self, label):
        values = status(self.proc.pid)
        self.rows.append((label, values))
        wp.note(f"{label}: VmRSS {values['VmRSS']:.1f} MB")
        return values

    def settle(self, quiet=1.0, limit=30.0, say=True):
        if not wp.wait_idle(self.proc.pid, quiet=quiet, limit=limit) and say:
            wp.note(f"the game was not idle for {quiet:g} s within {limit:g} s")

    def alive(self):
        if self.proc.poll() is not None:
            raise Stuck(f"the game ended, status {self.proc.returncode}")

    # ---- keys ----

    def keys(self, *names):
        self.alive()
        wp.xdotool("key", "--delay", "30", *names, env=self.env)

    def active(self):
        out = wp.xdotool("getactivewindow", env=self.env).strip()
        return int(out) if out.isdigit() else None

    def wait_active(self, window, limit=20.0):
        end = time.monotonic() + limit
        while time.monotonic() < end:
            if self.active() == window:
                return True
            time.sleep(0.05)
        raise Stuck(f"window {window} did not become active")

    def tab_to(self, stop):
        """Moves the focus along the main window's Tab order to stop."""
        forward = (stop - self.focus) % STOPS
        if forward <= STOPS // 2:
            self.keys(*["Tab"] * forward)
        else:
            self.keys(*["shift+Tab"] * (STOPS - forward))
        self.focus = stop

    def press(self, stop):
        # The game ignores a second click on its buttons within a second of the last one.
        time.sleep(1.1)
        self.tab_to(stop)
        self.keys("space")

    def read_setting(self, key):
        with open(self.conf) as f:
            for line in f:
                if line.startswith(key + "="):
                    # Some values are written with a place for the sign, quoted: " 0".
                    return line.split("=", 1)[1].strip().strip('"').strip()
        return None

    def wait_setting(self, key, value, what, limit=10.0):
        end = time.monotonic() + limit
        while time.monotonic() < end:
            if self.read_setting(key) == value:
                return
            time.sleep(0.1)
        raise Stuck(f"{what}: the settings say {key}={self.read_setting(key)}, not {value}")

    def choose_variant(self, index):
        self.press(VARIANT0 + index)
        self.wait_setting("Layout", str(index), f"variant {index + 1} was not chosen")
        self.board.choose(self.layouts[index])
        self.practice = False
        # The focus, which the chosen picture leaves as it hides, lands on the board.
        self.focus = BOARD
        self.settle(quiet=0.5)

    def start_game(self):
        self.press(START)
        self.board.start()
        self.practice = False
        self.settle(quiet=0.5)

    def toggle_warning(self, on):
        self.press(OPTIONS)
        time.sleep(0.5)  # the menu pops up, then takes the keys
        self.keys("r")  # "Is one marble still &reachable?"
        self.wait_setting("OneMarbleWarning", "-1" if on else "0",
                          f"the warning was not switched {'on' if on else 'off'}")

    def expect_window(self, action, limit=20.0):
        """Does action; the game's new window it brings up (None if none within limit)."""
        watch = wp.Watch(self.watch, self.env, int(limit * 1000))
        watch.expect(self.proc.pid, "-", [self.main, self.start_window])
        action()
        shown = watch.result()
        return shown[1] if shown else None

    def answer(self, window, key):
        self.wait_active(window)
        self.settle(quiet=0.3, limit=5, say=False)
        self.keys(key)
        self.wait_active(self.main)

    def hint(self):
        if self.practice:
            self.keys("h")
            return
        question = self.expect_window(lambda: self.keys("h"))
        if question is None:
            raise Stuck("the hint did not ask whether to make the game a practice game")
        self.answer(question, "y")
        self.practice = True

    def jump(self, source, over, target, last=False):
        self.tab_to(BOARD)
        keys = (self.board.arrows_to(source) + ["space"] + self.board.arrows_to(target)
                + ["space"])
        self.board.jump(source, over, target)
        if not last:
            self.keys(*keys)
            return None
        return self.expect_window(lambda: self.keys(*keys), limit=30)

    def finish_game(self, first):
        """Closes the end's message, the practice note and the champions list by keyboard."""
        window = first
        closed = 0
        while window is not None:
            self.wait_active(window)
            self.settle(quiet=0.3, limit=5, say=False)
            window = self.expect_window(lambda: self.keys("Return"), limit=3)
            closed += 1
        self.wait_active(self.main)
        return closed

    # ---- the one run ----

    def run_once(self):
        args = self.args
        self.start_display()
        self.launch(self.fresh_env("game"), music=False)
        pid = self.proc.pid
        holes = len(self.layouts[self.largest])
        wp.note(f"display {self.display}, game {self.game}, pid {pid}; variant {self.largest + 1} "
                f"({holes} holes), music and sound effects off")
        self.settle(quiet=2.0, limit=60)
        self.measure("a. main window settled, no game started")

        self.choose_variant(self.largest)
        self.start_game()
        chooser = random.Random(1)
        for _ in range(args.jumps):
            self.jump(*chooser.choice(self.board.jumps()))
            time.sleep(args.pace)
        self.settle(quiet=2.0)
        self.measure(f"b. game without aids, warning off, after {args.jumps} jumps")

        t0 = time.monotonic()
        self.hint()
        time.sleep(2.5)  # the hint's own search, two seconds
        self.toggle_warning(True)
        for _ in range(2):
            self.jump(*chooser.choice(self.board.jumps()))
            time.sleep(args.pace)
        peak = 0.0
        while time.monotonic() - t0 < args.run:
            peak = max(peak, status(pid)["VmRSS"])
            time.sleep(1.0)
        c = self.measure(f"c. practice game, hint asked and warning on, {args.run:g} s later")
        wp.note(f"c. most VmRSS seen during those {args.run:g} s: {max(peak, c['VmRSS']):.1f} MB")

        other = 4 if self.largest != 4 else 0
        self.choose_variant(other)
        time.sleep(args.settle)
        self.settle(quiet=1.0)
        self.measure(f"d1. fresh board (variant {other + 1} chosen), {args.settle:g} s later")
        self.start_game()
        time.sleep(args.settle)
        self.settle(quiet=1.0)
        self.measure(f"d2. Start on it, warning still on, {args.settle:g} s later")
        self.toggle_warning(False)
        time.sleep(args.settle)
        self.settle(quiet=1.0)
        self.measure(f"d3. warning switched off, {args.settle:g} s later")
        self.report_once()

    def report_once(self):
        rows = [("measure", "VmRSS MB", "RssAnon MB", "VmHWM MB", "threads")]
        for label, v in self.rows:
            rows.append((label, f"{v['VmRSS']:.1f}", f"{v['RssAnon']:.1f}", f"{v['VmHWM']:.1f}",
                         str(v["Threads"])))
        base = self.rows[0][1]["VmRSS"]
        for label, v in self.rows[1:]:
            rows.append((f"  {label.split('.')[0]} minus a", f"{v['VmRSS'] - base:+.1f}",
                         f"{v['RssAnon'] - self.rows[0][1]['RssAnon']:+.1f}", "", ""))
        c = next(v for label, v in self.rows if label.startswith("c."))
        d = next(v for label, v in self.rows if label.startswith("d1."))
        rows.append(("  back from c to the fresh board (c minus d1)",
                     f"{c['VmRSS'] - d['VmRSS']:.1f}", f"{c['RssAnon'] - d['RssAnon']:.1f}", "",
                     ""))
        self.table(rows)

    # ---- the long run ----

    def run_soak(self):
        args = self.args
        if not self.have_pulse:
            sys.exit("pulseaudio and pactl are needed for --soak")
        self.start_display()
        env = self.fresh_env("soak")
        self.pulse = self.start_pulse(env)
        if self.pulse is None:
            sys.exit("PulseAudio did not start")
        self.launch(env, music=True)
        pid = self.proc.pid
        wp.note(f"display {self.display}, game {self.game}, pid {pid}; variant {self.largest + 1}, "
                f"music on (loop) to a PulseAudio null sink, sound effects on, warning on, a hint "
                f"every {args.hint_every} jumps, {args.soak:g} minutes")
        samples = []
        done = threading.Event()
        t0 = time.monotonic()

        def sample():
            minute = 0
            while True:
                try:
                    v = status(pid)
                except OSError:
                    return
                samples.append((minute, v))
                wp.note(f"minute {minute}: VmRSS {v['VmRSS']:.1f} MB, RssAnon "
                        f"{v['RssAnon']:.1f} MB, VmHWM {v['VmHWM']:.1f} MB, threads "
                        f"{v['Threads']}")
                minute += 1
                if minute > args.soak or done.wait(t0 + minute * 60 - time.monotonic()):
                    return

        sampler = threading.Thread(target=sample, daemon=True)
        sampler.start()
        self.choose_variant(self.largest)
        self.toggle_warning(True)
        chooser = random.Random(args.seed)
        games = jumps = hints = 0
        end = t0 + args.soak * 60
        try:
            while time.monotonic() < end:
                self.start_game()
                made = 0
                while time.monotonic() < end:
                    if made % args.hint_every == 1:
                        self.hint()
                        hints += 1
                        time.sleep(2.5)  # the hint's own search, two seconds
                    move = chooser.choice(self.board.jumps())
                    last = not self.after(move).jumps()
                    window = self.jump(*move, last=last)
                    made += 1
                    jumps += 1
                    if last:
                        if window is None:
                            raise Stuck("no message at the end of the game")
                        self.finish_game(window)
                        games += 1
                        break
                    time.sleep(args.pace)
        finally:
            done.set()
            sampler.join(65)
            wp.note(f"{games} games played to their end, {jumps} jumps, {hints} hints, "
                    f"{(time.monotonic() - t0) / 60:.1f} minutes")
            rows = [("minute", "VmRSS MB", "RssAnon MB", "VmHWM MB", "threads")]
            for minute, v in samples:
                rows.append((str(minute), f"{v['VmRSS']:.1f}", f"{v['RssAnon']:.1f}",
                             f"{v['VmHWM']:.1f}", str(v["Threads"])))
            later = [v["VmRSS"] for minute, v in samples if minute >= 1]
            if later:
                rows.append(("max - min from minute 1", f"{max(later) - min(later):.1f}", "",
                             "", ""))
            self.table(rows)

    def after(self, move):
        board = Board(self.board.holes)
        board.marbles = set(self.board.marbles)
        board.jump(*move)
        return board

    # ---- output and the end ----

    @staticmethod
    def table(rows):
        widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
        for r in rows:
            print("  ".join(c.ljust(w) if i == 0 else c.rjust(w)
                            for i, (c, w) in enumerate(zip(r, widths))), flush=True)

    def close(self):
        if self.proc is not None:
            wp.stop(self.proc)
            lines = open(self.stderr, errors="replace").read().splitlines()
            wp.note(f"the game's stderr: {len(lines)} lines" + (":" if lines else ""))
            seen = set()
            for line in lines:
                if line not in seen:
                    seen.add(line)
                    wp.note("  " + line[:200])
                    if len(seen) == 20:
                        wp.note(f"  ({len(set(lines)) - 20} more different lines)")
                        break
        wp.stop(self.pulse)
        super().close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", help="the build folder with src/ui/marvolen and "
                        "bench/window_watch")
    parser.add_argument("--jumps", type=int, default=6, help="jumps before the aids (default 6)")
    parser.add_argument("--run", type=float, default=60,
                        help="seconds the hint's and the warning's solvers work (default 60)")
    parser.add_argument("--settle", type=float, default=5,
                        help="seconds after a fresh board before its memory is read (default 5)")
    parser.add_argument("--pace", type=float, default=1.5, help="seconds between jumps "
                        "(default 1.5)")
    parser.add_argument("--soak", type=float, metavar="MINUTES",
                        help="play games with the aids and music for this long instead")
    parser.add_argument("--hint-every", type=int, default=4,
                        help="in the long run, a hint every this many jumps (default 4)")
    parser.add_argument("--seed", type=int, default=1, help="the long run's choice of jumps")
    args = parser.parse_args()
    # Stopped from outside, it still prints what it has and takes its processes down.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped from outside"))
    bench = AidsBench(args)
    try:
        if args.soak:
            bench.run_soak()
        else:
            bench.run_once()
    except Stuck as stuck:
        wp.note(f"stopped: {stuck}")
        return 1
    finally:
        bench.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
