#!/usr/bin/env python3
# The game as a blind player hears it: Orca, the screen reader of Linux desktops, speaks the real
# program through speech-dispatcher into a null sound device, and its debug log records every
# utterance. Keys alone play the opening (language, OK, a variant, Start, two jumps, a hint, an
# undo) and then the rest of a game to its end; each step waits, with a deadline, until Orca has
# said what the player must hear.
#
# Run with three arguments: the program's path, at-spi-bus-launcher's and orca's. The session
# (X server, openbox, buses) is the keyboard test's.
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from keyboard_atspi_test import CROSS_SOLUTION, DEADLINE, Failed, Session, arrows_to  # noqa: E402

# An utterance may run over several lines of the log: a message's paragraphs.
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{'established", re.S)


class Orca:
    """Orca with a fresh profile; what it says is read back from its debug log."""

    def __init__(self, session, orca, home):
        config = os.path.join(home, ".config", "speech-dispatcher")
        os.makedirs(config)
        # Spoken into the void: ALSA's null device, through espeak-ng.
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AudioOutputMethod "alsa"\nAudioALSADevice "default"\n'
                       'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                       'DefaultModule espeak-ng\n')
        with open(os.path.join(home, ".asoundrc"), "w") as alsa:
            alsa.write("pcm.!default { type null }\n")
        self.log = os.path.join(home, "orca.log")
        self.session = session
        # Orca's own hook for a user's changes: no braille display to look for, and its debug
        # log written line by line, so that it can be read while Orca runs.
        prefs = os.path.join(home, ".local", "share", "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w") as custom:
            custom.write("import orca.debug\nimport orca.settings\n"
                         "orca.settings.enableBraille = False\n"
                         "if orca.debug.debugFile:\n"
                         "    orca.debug.debugFile.reconfigure(line_buffering=True)\n")
        self.process = session.start([orca, "--debug-file=" + self.log],
                                     log=open(os.path.join(home, "orca.out"), "w"))
        self.heard = 0  # utterances already matched
        self.wait("Screen reader on", "Orca to start")

    def said(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, errors="replace") as log:
            return SPEECH.findall(log.read())

    def idle(self):
        """Waits until Orca has handled what the program sent: its log stays still a while."""
        end = time.monotonic() + DEADLINE
        size, still_since = -1, time.monotonic()
        while time.monotonic() < end:
            time.sleep(0.1)
            now = os.path.getsize(self.log)
            if now != size:
                size, still_since = now, time.monotonic()
            elif time.monotonic() - still_since > 1.0:
                return
        raise Failed("Orca never came to rest: " + str(self.said()[-10:]))

    def after_echo(self, start, echo):
        """What Orca says after it echoes a key pressed when it had said start utterances,
        once it has said something and then nothing for a while."""
        end = time.monotonic() + DEADLINE
        last, quiet_since = None, time.monotonic()
        while time.monotonic() < end:
            time.sleep(0.1)
            said = self.said()[start:]
            if echo not in said:
                continue
            after = said[len(said) - said[::-1].index(echo):]
            if after != last:
                last, quiet_since = after, time.monotonic()
            elif after and time.monotonic() - quiet_since > 1.5:
                return after
        raise Failed("Orca said nothing after the key (%r): %s" % (echo, self.said()[-20:]))

    def key(self, *names):
        if names:
            subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=True,
                           env=self.session.env)

    def tab_until(self, pattern, what, back=False):
        """Presses Tab (or Shift+Tab) until Orca names the focused element as pattern says:
        after each press, what Orca says after its echo of the key is what took the focus."""
        for _ in range(45):
            start = len(self.said())
            self.key("shift+Tab" if back else "Tab")
            spoken = self.after_echo(start, "left shift " if back else "tab ")
            if any(re.search(pattern, s) for s in spoken):
                return self.wait(pattern, what)
        raise Failed("Tab never reached %s; Orca said last: %s" % (what, self.said()[-30:]))

    def to_board(self):
        """Shift+Tab onto the board; the cursor's place as Orca names it."""
        row, column = re.search(r"^row (\d), column (\d): ", self.tab_until(
            r"^row \d, column \d: ", "the board", back=True)).groups()
        return (int(row) - 1) * 7 + int(column) - 1

    def wait(self, pattern, what):
        """Waits until Orca says something that matches pattern (after what was matched
        before) and returns it."""
        end = time.monotonic() + DEADLINE
        wanted = re.compile(pattern)
        while True:
            said = self.said()
            for i in range(self.heard, len(said)):
                if wanted.search(said[i]):
                    self.heard = i + 1
                    return said[i]
            if time.monotonic() > end or self.process.poll() is not None:
                raise Failed("Orca never said %s (%r); it said last: %s" % (
                    what, pattern, said[-40:]))
            time.sleep(0.05)


def install(program, home):
    """A copy of the program in the fresh home, which keeps its data folder there."""
    copy = os.path.join(home, "bin", os.path.basename(program))
    os.makedirs(os.path.dirname(copy))
    shutil.copy2(program, copy)
    return copy


def start_program(session, copy, home):
    """Starts the program as a player does: no switch of Qt's, the screen reader already
    running. Its output goes to marvolen.log in the home."""
    log = open(os.path.join(home, "marvolen.log"), "a")
    game = subprocess.Popen([copy], env=dict(session.env, QT_QPA_PLATFORM="xcb"), stdout=log,
                            stderr=subprocess.STDOUT)
    session.processes.append(game)
    return game


def pass_start_window(orca, choose=True):
    """The start window: English chosen by its flag (later starts remember it), then OK."""
    orca.wait("readme", "the start window")
    orca.idle()
    if choose:
        orca.tab_until(r"^English", "the English flag")
        orca.key("space")
        orca.tab_until(r"^OK push button", "OK")
    orca.key("Return")


def heard_in_a_fresh_home(prefix, play):
    """Runs play(session, orca, copy, home) with the program, at-spi-bus-launcher and Orca of
    the command line, in a fresh home with the program installed in it; on a failure prints the
    end of the program's log. 0 when all was heard."""
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    program, bus_launcher, orca_path = (os.path.abspath(a) for a in sys.argv[1:4])
    home = tempfile.mkdtemp(prefix=prefix)
    session = None
    try:
        session = Session(home, bus_launcher)
        orca = Orca(session, orca_path, home)
        play(session, orca, install(program, home), home)
        return 0
    except Failed as failure:
        print("FAILED:", failure)
        log_file = os.path.join(home, "marvolen.log")
        if os.path.exists(log_file):
            print(open(log_file).read()[-3000:])
        return 1
    finally:
        if session is not None:
            session.close()
        if "--keep" not in sys.argv:
            shutil.rmtree(home, ignore_errors=True)
        else:
            print("kept", home)


def hear_a_whole_game(session, orca, copy, home):
    key, tab_until = orca.key, orca.tab_until
    start_program(session, copy, home)
    pass_start_window(orca)
    orca.wait(r"^Marvolen frame", "the main window")
    orca.idle()
    # A variant (the last, Shift+Tab from the board), then Start (Tab from the board).
    tab_until(r"^Select game 20", "a variant", back=True)
    orca.wait(r"radio button", "the variant's role")
    tab_until(r"^Start game push button", "the Start button")
    key("Return")
    orca.wait(r"^Game started", "that the game started")
    cursor, marbles = orca.to_board(), 32
    jumps = list(CROSS_SOLUTION)

    def jump(source, target):
        nonlocal cursor, marbles
        key(*arrows_to(cursor, source))
        key("space")
        orca.wait(r"Marble lifted", "the lifted marble")
        key(*(arrows_to(source, target) + ["space"]))
        cursor, marbles = target, marbles - 1
        orca.wait(r"Marbles: %d\.?$" % marbles, "%d marbles after %d to %d" % (
            marbles, source, target))

    # A marble lifted and put back with Escape, then the first two jumps.
    key(*arrows_to(cursor, jumps[0][0]))
    cursor = jumps[0][0]
    key("space")
    orca.wait(r"Marble lifted", "the lifted marble")
    key("Escape")
    orca.wait(r"Marble put back", "the marble put back")
    for source, target in jumps[:2]:
        jump(source, target)
    key("h")
    orca.wait(r"practice game", "the practice question")
    key("y")
    orca.wait(r"^Hint: jump from row \d, column \d to row \d, column \d", "the hint")
    key("ctrl+z")
    marbles += 1
    orca.wait(r"^Jump taken back: from row 3, column 2 to row 3, column 4\. Marbles: 31",
              "the jump taken back")
    print("heard: the Start button, a variant, the start, a marble lifted and put back, the "
          "counts, a hint and an undo")

    # A new game, played without help to its end: the result, and the place in the list.
    tab_until(r"^Start game push button", "the Start button")
    key("Return")
    orca.wait(r"^Game started", "that the new game started")
    cursor, marbles = orca.to_board(), 32
    for source, target in jumps:
        jump(source, target)
    orca.wait(r"Game over: Marbles left: 1, seconds: \d+", "the result")
    print("heard: the result of a whole game")
    key("Return")
    orca.wait(r"enter your name", "the name prompt")
    key("A", "l", "i", "c", "e", "Return")
    orca.wait(r"Your place: 1\. 1\. Alice, marbles: 1, seconds: \d+", "the place in the list")
    print("heard: the place in the champions list")


def main():
    return heard_in_a_fresh_home("marvolen-orca-", hear_a_whole_game)


if __name__ == "__main__":
    sys.exit(main())
