#!/usr/bin/env python3
# A game cut off and taken up again, as a player meets it: the real program in a fresh home, one
# jump by keys, then killed with SIGKILL while its clock runs; started again, it offers the game,
# and Yes puts back the board, the count and the clock, as a practice game. Then a game left with
# Escape and Yes is offered at the next start, and No gives a new board and leaves no file.
#
# Run with two arguments, the program's path and at-spi-bus-launcher's. The session (X server,
# openbox, buses) is the keyboard test's; everything is read back over the accessibility bus.
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from keyboard_atspi_test import (  # noqa: E402
    CROSS_SOLUTION, DEADLINE, Failed, Session, arrows_to, wait_on_bus)

QUESTION = re.compile(r"A game was left unfinished: variant (\d+), (\d+) marbles, (\d+) seconds")


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    program = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp(prefix="marvolen-resume-")
    session = None
    game = None
    try:
        session = Session(home, sys.argv[2])
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi

        wait_for, key = wait_on_bus, session.key

        def application():
            """The running program's element on the bus; a killed one may linger there a
            while, and is told apart by its process."""
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                try:
                    app = desktop.getChildAtIndex(i)
                    if app is not None and app.name == "Marvolen" and \
                            app.get_process_id() == game.pid:
                        return app
                except Exception:  # gone meanwhile
                    pass
            return None

        def find(test, root=None, depth=12):
            """The first shown element under root (the program) that passes test."""
            root = root or application()
            if root is None or depth == 0:
                return None
            try:
                if test(root):
                    return root
                children = [root.getChildAtIndex(i) for i in range(root.childCount)]
            except Exception:
                return None
            for child in children:
                try:
                    shown = child is not None and child.getState().contains(pyatspi.STATE_SHOWING)
                except Exception:
                    shown = False
                if shown:
                    found = find(test, child, depth - 1)
                    if found is not None:
                        return found
            return None

        def focused():
            """Role and name of the innermost element with the focus in the active window."""
            found = []

            def look(element, depth=12):
                try:
                    if element.getState().contains(pyatspi.STATE_FOCUSED):
                        found.append((element.getRoleName(), element.name))
                    children = [element.getChildAtIndex(i) for i in range(element.childCount)]
                except Exception:
                    return
                for child in children:
                    try:
                        if depth > 0 and child.getState().contains(pyatspi.STATE_SHOWING):
                            look(child, depth - 1)
                    except Exception:
                        pass

            app = application()
            for i in range(app.childCount if app else 0):
                try:
                    window = app.getChildAtIndex(i)
                    if window.getState().contains(pyatspi.STATE_ACTIVE):
                        look(window)
                except Exception:
                    pass
            return found[-1] if found else None

        def tab_until(test, what):
            for _ in range(45):
                before = wait_for(focused, "an element with the focus")
                if test(*before):
                    return
                key("Tab")
                wait_for(lambda: focused() not in (None, before), "the focus to move on")
            raise Failed("Tab never reached " + what)

        def named(prefix):
            """The name of the shown element whose name starts with prefix."""
            element = wait_for(lambda: find(lambda e: e.name.startswith(prefix)), prefix)
            return element.name

        def seconds():
            return int(re.match(r"Time: (\d+) seconds", named("Time: ")).group(1))

        def board():
            """The board in its text form, the board's accessible description."""
            return wait_for(lambda: find(lambda e: e.getRoleName() == "table"), "the board") \
                .description

        folder = os.path.join(home, "bin")
        copy = os.path.join(folder, os.path.basename(program))
        os.makedirs(folder)
        shutil.copy2(program, copy)
        kept = os.path.join(folder, "unfinished-game.txt")
        log = open(os.path.join(home, "marvolen.log"), "w")
        game_env = dict(session.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")

        def start(first=False):
            """Starts the program and passes its start window: English chosen the first time,
            remembered after."""
            nonlocal game
            game = subprocess.Popen([copy], env=game_env, stdout=log, stderr=subprocess.STDOUT)
            session.processes.append(game)
            wait_for(application, "the program on the accessibility bus")
            wait_for(lambda: focused() == ("push button", "OK"), "the start window's OK")
            if first:
                tab_until(lambda role, name: role == "radio button" and name == "English",
                          "the English flag")
                key("space")
                tab_until(lambda role, name: (role, name) == ("push button", "OK"), "OK")
            key("Return")
            wait_for(lambda: find(lambda e: e.name.startswith("Start game")), "the main window")

        def ended(what):
            try:
                game.wait(DEADLINE)
            except subprocess.TimeoutExpired:
                raise Failed("the program did not end after " + what)

        def question():
            """The question about the game left unfinished: (variant, marbles, seconds)."""
            label = wait_for(lambda: find(lambda e: e.getRoleName() == "label"
                                          and "left unfinished" in e.name), "the question")
            found = QUESTION.search(label.name)
            if not found or "practice game" not in label.name:
                raise Failed("the question reads " + label.name)
            wait_for(lambda: focused() == ("push button", "Yes"), "Yes to be the default")
            return tuple(int(n) for n in found.groups())

        def start_and_jump():
            """Start, onto the board, the first jump; the board after it."""
            tab_until(lambda role, name: role == "push button" and name == "Start game", "Start")
            key("Return")
            wait_for(lambda: named("Marbles: ") == "Marbles: 32", "32 marbles")
            tab_until(lambda role, name: role == "table cell", "the board")
            if focused()[1] != "row 4, column 4: empty":
                raise Failed("the board's cursor reads " + focused()[1])
            source, target = CROSS_SOLUTION[0]
            key(*(arrows_to(24, source) + ["space"] + arrows_to(source, target) + ["space"]))
            wait_for(lambda: named("Marbles: ") == "Marbles: 31", "31 marbles after the jump")
            return board()

        # Killed with its clock running, two seconds after the jump.
        start(first=True)
        fresh = board()
        played = start_and_jump()
        wait_for(lambda: os.path.exists(kept), "the unfinished game's file")
        at_jump = seconds()
        wait_for(lambda: seconds() >= at_jump + 2, "the clock to run on")
        clock = seconds()
        game.send_signal(signal.SIGKILL)
        ended("SIGKILL")

        start()
        variant, marbles, offered = question()
        if (variant, marbles) != (5, 31) or abs(offered - clock) > 1:
            raise Failed("offered variant %d, %d marbles, %d seconds; the clock stood at %d" % (
                variant, marbles, offered, clock))
        key("Return")
        wait_for(lambda: find(lambda e: "left unfinished" in e.name) is None, "the question to go")
        if board() != played:
            raise Failed("the board came back as\n%s\nnot\n%s" % (board(), played))
        if named("Marbles: ") != "Marbles: 31" or abs(seconds() - clock) > 1:
            raise Failed("resumed with %s and %d seconds; the clock stood at %d" % (
                named("Marbles: "), seconds(), clock))
        wait_for(lambda: find(lambda e: e.getRoleName() == "label" and e.name == "Practice game"),
                 "the practice mark")
        print("killed at %d seconds after a jump: offered and resumed at %d seconds, the same "
              "board, 31 marbles, a practice game" % (clock, seconds()))

        # Left with Escape and Yes in the middle of a new game: offered again; No starts afresh.
        start_and_jump()
        key("Escape")
        wait_for(lambda: focused() and focused()[0] == "push button"
                 and focused()[1] in ("Yes", "No"), "the quit question")
        key("y")
        ended("Escape and Yes")
        if not os.path.exists(kept):
            raise Failed("no unfinished game's file after Escape and Yes")
        start()
        if question()[:2] != (5, 31):
            raise Failed("the game left with Escape was offered as %s" % (question(),))
        key("n")
        wait_for(lambda: not os.path.exists(kept), "No to delete the file")
        wait_for(lambda: find(lambda e: "left unfinished" in e.name) is None, "the question to go")
        if board() != fresh:
            raise Failed("after No the board reads\n%s\nnot\n%s" % (board(), fresh))
        if find(lambda e: e.name == "Practice game") is not None:
            raise Failed("the practice mark shows after No")
        print("left with Escape and Yes: offered again; No gave a new board and deleted the file")
        return 0
    except Failed as failure:
        print("FAILED:", failure)
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
