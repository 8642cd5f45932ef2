#!/usr/bin/env python3
# A whole game as a player plays it who has only the keyboard and a screen reader: the real
# program in a fresh home on an X server of its own, keys from xdotool, all it shows read back
# over the accessibility bus (AT-SPI), as a screen reader reads it.
#
# Run with two arguments, the program's path and at-spi-bus-launcher's (from at-spi2-core); the
# Python must have pyatspi. The script brings up what a desktop session has: an X server (Xvfb),
# the window manager (openbox), a session bus and the accessibility bus with its registry, then
# starts the program. Every wait ends as soon as its condition holds, or fails the test at its
# deadline.
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DEADLINE = 30.0  # seconds; long enough for a loaded machine

# A way from 32 marbles to one in the centre of the 33-hole cross: (from, to) of each jump,
# places numbered row by row from 0 to 48.
CROSS_SOLUTION = [
    (10, 24), (15, 17), (2, 16), (4, 2), (17, 15), (14, 16), (18, 4), (20, 18),
    (23, 9), (2, 16), (21, 23), (23, 9), (25, 23), (27, 25), (25, 11), (4, 18),
    (30, 16), (9, 23), (28, 30), (31, 29), (39, 25), (34, 32), (44, 30), (23, 37),
    (46, 44), (44, 30), (29, 31), (31, 33), (18, 32), (33, 31), (38, 24)]
CROSS = {r * 7 + c for r in range(7) for c in range(7) if 2 <= r <= 4 or 2 <= c <= 4}
ARROWS = {"Up": (-1, 0), "Down": (1, 0), "Left": (0, -1), "Right": (0, 1)}


def next_hole(place, rows, columns):
    """Where the board's cursor goes from place: the next hole that way, or place at the edge."""
    r, c = divmod(place, 7)
    while True:
        r, c = r + rows, c + columns
        if not (0 <= r < 7 and 0 <= c < 7):
            return place
        if r * 7 + c in CROSS:
            return r * 7 + c


def arrows_to(start, goal):
    """The fewest arrow keys that take the cursor from start to goal."""
    way = {start: []}
    queue = [start]
    while queue and goal not in way:
        at = queue.pop(0)
        for key, (rows, columns) in ARROWS.items():
            there = next_hole(at, rows, columns)
            if there not in way:
                way[there] = way[at] + [key]
                queue.append(there)
    return way[goal]


class Failed(Exception):
    pass


class Session:
    """The desktop session: an X server, a session bus, the window manager and the
    accessibility bus."""

    def __init__(self, home, bus_launcher):
        self.processes = []
        try:
            self.env = dict(os.environ)
            runtime = os.path.join(home, "run")
            os.makedirs(runtime, mode=0o700)
            self.env.update({
                "HOME": home,
                "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
                "XDG_CACHE_HOME": os.path.join(home, ".cache"),
                "XDG_RUNTIME_DIR": runtime,
                "LANG": "C.UTF-8",
                "LC_ALL": "C.UTF-8",
            })
            self.env.pop("QT_QPA_PLATFORM", None)
            # An X server of its own, which names its display once it accepts clients. Without
            # -noreset it resets whenever its last client leaves, and a client that connects
            # during the reset is turned away (the probe below would race the window manager).
            ready, told = os.pipe()
            self.x_log = os.path.join(home, "xvfb.log")
            self.x_server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(told), "-screen", "0", "1280x1024x24", "-nolisten",
                 "tcp", "-noreset"], pass_fds=(told,), stdout=subprocess.DEVNULL,
                stderr=open(self.x_log, "w"))
            self.processes.append(self.x_server)
            os.close(told)
            with os.fdopen(ready) as display:
                number = display.readline().strip()  # empty when the server ended instead
            if not number:
                raise Failed("the X server did not start: " + self.x_server_log())
            self.env["DISPLAY"] = ":" + number
            self.env.pop("XAUTHORITY", None)
            # Clients come only once the server answers a request.
            self.wait_for(lambda: self.x_answers(["xprop", "-root"]), "the X server to answer")
            bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                   stdout=subprocess.PIPE, env=self.env, text=True)
            self.processes.append(bus)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
            if not self.env["DBUS_SESSION_BUS_ADDRESS"]:
                raise Failed("the session bus did not start")
            self.wm_log = os.path.join(home, "openbox.log")
            self.start(["openbox", "--sm-disable"], log=open(self.wm_log, "w"))
            # A window mapped before the window manager runs is never made active, and keys would
            # go nowhere: the program starts only once openbox has announced itself on the screen.
            self.wait_for(lambda: b"window id" in self.x_answers(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), "the window manager",
                lambda: open(self.wm_log).read())
            self.start([bus_launcher, "--launch-immediately"])
            # This process reads over the same buses as a screen reader would.
            os.environ.update(self.env)
        except BaseException:
            self.close()  # what did start must not outlive the test
            raise

    def x_server_log(self):
        return "display %s, Xvfb %s: %s" % (
            self.env.get("DISPLAY", "none"),
            "running" if self.x_server.poll() is None else "ended with %s" % self.x_server.poll(),
            open(self.x_log).read())

    def x_answers(self, command):
        """What an X client prints; empty when the server does not answer."""
        return subprocess.run(command, env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout

    def wait_for(self, condition, what, details=lambda: ""):
        end = time.monotonic() + DEADLINE
        while not condition():
            if time.monotonic() > end or self.x_server.poll() is not None:
                raise Failed("waited in vain for %s: %s; %s" % (what, details(),
                                                                self.x_server_log()))
            time.sleep(0.05)

    def key(self, *names):
        """Presses keys as a player does, through the X server."""
        subprocess.run(["xdotool", "key", "--delay", "20"] + list(names), check=True,
                       env=self.env)

    def start(self, command, log=None):
        process = subprocess.Popen(command, env=self.env, stdout=log or subprocess.DEVNULL,
                                   stderr=subprocess.STDOUT if log else subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()


def wait_on_bus(condition, what):
    """The value of condition once it has one, handling the accessibility bus's events meanwhile;
    Failed at the deadline."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    end = time.monotonic() + DEADLINE
    while True:
        # Handles the events that came meanwhile, and waits at most 20 ms for one.
        GLib.timeout_add(20, lambda: False)
        context.iteration(True)
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failed("waited in vain for " + what)


def main():
    # Stopped from outside, the session is still taken down.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    program = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp(prefix="marvolen-e2e-")
    session = None
    game = None
    app = None
    events = []  # (kind, role and name of the source, detail) as they arrive
    try:
        session = Session(home, sys.argv[2])
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi

        def on_event(event):
            try:
                name = event.source.name
                role = event.source.getRoleName()
            except Exception:  # an element gone meanwhile
                name, role = "", ""
            events.append((event.type, role, name, event.detail1))

        pyatspi.Registry.registerEventListener(
            on_event, "object:property-change:accessible-name", "object:state-changed:focused",
            "object:state-changed:showing")

        wait_for, key = wait_on_bus, session.key

        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == "Marvolen":
                    return app
            return None

        def find(root, test, depth=12):
            """The first shown element under root that passes test, None when none does."""
            if root is None or depth == 0:
                return None
            try:
                if test(root):
                    return root
                children = [root.getChildAtIndex(i) for i in range(root.childCount)]
            except Exception:
                return None
            for child in children:
                if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
                    found = find(child, test, depth - 1)
                    if found is not None:
                        return found
            return None

        def focused():
            """Role and name of the element that has the keyboard's focus, as it says now: the
            innermost that says so in the active window (a button box says it has the focus
            of its button, the board that of the cursor's place)."""
            found = []

            def look(element, depth=12):
                try:
                    if element.getState().contains(pyatspi.STATE_FOCUSED):
                        found.append((element.getRoleName(), element.name))
                    children = [element.getChildAtIndex(i) for i in range(element.childCount)]
                except Exception:  # an element gone meanwhile
                    return
                for child in children:
                    if (depth > 0 and child is not None
                            and child.getState().contains(pyatspi.STATE_SHOWING)):
                        look(child, depth - 1)

            for i in range(app.childCount):
                window = app.getChildAtIndex(i)
                if window is not None and window.getState().contains(pyatspi.STATE_ACTIVE):
                    look(window)
            return found[-1] if found else None

        def tab_until(test, what):
            """Presses Tab until the focused element passes test."""
            for _ in range(45):
                before = wait_for(focused, "an element with the focus")
                if test(*before):
                    return
                key("Tab")
                wait_for(lambda: focused() not in (None, before), "the focus to move on")
            raise Failed("Tab never reached " + what)

        log = open(os.path.join(home, "marvolen.log"), "w")
        game_env = dict(session.env)
        # Qt's own switch: expose the program on the accessibility bus without asking whether
        # a screen reader runs.
        game_env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        game_env["QT_QPA_PLATFORM"] = "xcb"
        # The program keeps its champions list beside itself when it may: a copy in the fresh
        # home keeps every run's list there, and away from the build.
        copy = os.path.join(home, "bin", os.path.basename(program))
        os.makedirs(os.path.dirname(copy))
        shutil.copy2(program, copy)
        game = subprocess.Popen([copy], env=game_env, stdout=log, stderr=subprocess.STDOUT)
        session.processes.append(game)

        # The start window: OK once the main window has loaded, with the focus on it.
        app = None
        app = wait_for(application, "the program on the accessibility bus")
        wait_for(lambda: focused() == ("push button", "OK"), "the start window's OK to have the focus")
        # The language by its flag, then OK: keys only.
        tab_until(lambda role, name: role == "radio button" and name == "English", "the English flag")
        key("space")
        tab_until(lambda role, name: (role, name) == ("push button", "OK"), "OK")
        key("Return")

        # The main window: Start, read the count, onto the board.
        tab_until(lambda role, name: role == "push button" and name == "Start game", "Start")
        key("Return")
        count = wait_for(lambda: find(app, lambda e: e.name.startswith("Marbles: ")),
                         "the marble count")
        wait_for(lambda: count.name == "Marbles: 32", "32 marbles, not " + count.name)
        tab_until(lambda role, name: role == "table cell", "the board")
        cursor = 24
        if focused()[1] != "row 4, column 4: empty":
            raise Failed("the board's cursor reads " + focused()[1])

        marbles = 32
        for source, target in CROSS_SOLUTION:
            heard = len(events)
            key(*(arrows_to(cursor, source) + ["space"] + arrows_to(source, target) + ["space"]))
            cursor = target
            marbles -= 1
            sentence = "Marbles: %d" % marbles
            wait_for(lambda: count.name == sentence, "%s after %d to %d" % (sentence, source, target))
            # The count is heard: the window's notification showed with it.
            wait_for(lambda: any(kind.startswith("object:state-changed:showing")
                                 and role == "notification" and name.endswith(sentence)
                                 for kind, role, name, _ in events[heard:]),
                     "the notification to tell " + sentence)

        # The clock is read when asked for; its seconds never go out as changes.
        ticks = [e for e in events if e[0].startswith("object:property-change:accessible-name")
                 and e[2].startswith("Time:")]
        if ticks:
            raise Failed("the clock pushed its seconds: %s" % ticks[:3])

        # The end is told in an alert that takes the focus, so a screen reader reads it out:
        # the focus event comes from the alert's OK.
        alert = wait_for(lambda: find(app, lambda e: e.getRoleName() == "alert" and find(
            e, lambda label: label.name == "No more possible moves!")), "the message at the end")
        wait_for(lambda: focused() == ("push button", "OK"),
                 "the message's OK to have the focus, not %s" % (focused(),))
        wait_for(lambda: ("object:state-changed:focused", "push button", "OK", 1) in events[heard:],
                 "the focus event of the message's OK")
        # Its name, which a screen reader says first, holds the result the board shows.
        if not alert.name.startswith("Game over: Marbles left: 1, seconds: "):
            raise Failed("the alert is called " + alert.name)
        key("Return")
        # The champions list asks for the name; typed key by key and confirmed with Enter.
        wait_for(lambda: focused() and focused()[0] == "text", "the name prompt")
        key("A", "l", "i", "c", "e", "Return")
        wait_for(lambda: find(app, lambda e: e.getRoleName() == "label" and e.name == "Alice"),
                 "Alice in the champions list")
        key("Return")  # OK closes the list
        wait_for(lambda: find(app, lambda e: e.name == "Alice") is None, "the list to close")
        champions = os.path.join(home, "bin", "Marvolen.hsc")
        if not os.path.exists(champions):
            raise Failed("no champions file beside the program")
        if b"Alice" in open(champions, "rb").read():
            raise Failed("the champions file holds the name unscrambled")
        print("a whole game by keys: 31 moves heard, the end told, Alice in the champions list")
        return 0
    except Failed as failure:
        print("FAILED:", failure)
        print("last events:", *[e for e in events if "table" in e[1]][-12:], *events[-6:], sep="\n  ")
        log_file = os.path.join(home, "marvolen.log")
        if os.path.exists(log_file):
            print(open(log_file).read()[-4000:])
        return 1
    finally:
        if session is not None:
            session.close()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
