#!/usr/bin/env python3
# What carries a game over, as a blind player hears it through Orca: the board copied and pasted
# into a new game, the best game played out from there, the statistics read cell by cell, and,
# after the program is killed in the middle of the pasted game, the question at the next start
# that offers it again.
#
# Run with three arguments: the program's path, at-spi-bus-launcher's and orca's. The session and
# Orca are the other Orca test's.
import os
import re
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from keyboard_atspi_test import CROSS_SOLUTION, DEADLINE, Failed, arrows_to  # noqa: E402
from orca_test import heard_in_a_fresh_home, pass_start_window, start_program  # noqa: E402


def hear_the_game_carried_over(session, orca, copy, home):
    key = orca.key
    game = start_program(session, copy, home)
    pass_start_window(orca)
    orca.wait(r"^Marvolen frame", "the main window")
    orca.idle()

    def jump(cursor, move):
        key(*(arrows_to(cursor, move[0]) + ["space"]))
        orca.wait(r"Marble lifted", "the lifted marble")
        key(*(arrows_to(move[0], move[1]) + ["space"]))

    # Copied after a jump, pasted into a new game, and one more jump there.
    orca.tab_until(r"^Start game push button", "the Start button")
    key("Return")
    orca.wait(r"^Game started", "that the game started")
    jump(orca.to_board(), CROSS_SOLUTION[0])
    orca.wait(r"Marbles: 31\.?$", "31 marbles")
    key("ctrl+c")
    orca.wait(r"^Board copied", "the board copied")
    orca.tab_until(r"^Start game push button", "the Start button")
    key("Return")
    orca.wait(r"^Game started", "that the new game started")
    key("ctrl+v")
    orca.wait(r"^Board pasted: variant 5, 31 marbles", "the board pasted")
    jump(orca.to_board(), CROSS_SOLUTION[1])
    orca.wait(r"Marbles: 30\.?$", "30 marbles on the pasted board")
    print("heard: the board copied, and pasted into a new game")

    # The best game from the pasted board: found or known, jump by jump, paused, stepped, left.
    orca.idle()
    key("b")
    intro = orca.wait(r"The best game( found)?: \d+ jumps, marbles left at the end: \d+\.",
                      "what the best game reaches")
    first = orca.wait(r"Jump 1 of \d+: from row \d, column \d to row \d, column \d",
                      "the first jump of the best game")
    key("space")
    orca.wait(r"Paused at jump \d+ of \d+", "the line paused")
    key("Right")
    orca.wait(r"Jump \d+ of \d+: from row \d, column \d to row \d, column \d",
              "a step forward")
    key("Escape")
    orca.wait(r"Back to your game", "the way back to the game")
    print("heard: %s / %s / paused, stepped and back" % (intro.split(".")[0], first))

    # The statistics, read cell by cell: a column's head with its cell.
    orca.idle()
    key("s")
    orca.wait(r"^Statistics dialog", "the statistics window")
    orca.idle()
    # Down row by row to the first with counts (a row of nothing counted is blank), where
    # the time played is said; then Right to the next column, whose head is said first.
    for _ in range(21):
        start = len(orca.said())
        key("Down")
        orca.idle()
        row = orca.said()[start:]
        if any(re.match(r"\d+:\d\d:\d\d\.?$", s) for s in row):
            break
    else:
        raise Failed("no row of counts was heard: %s" % orca.said()[-30:])
    orca.heard = len(orca.said())
    key("Right")
    orca.wait(r"^Games finished column header,? 0\.?$", "the column's head and its cell")
    print("heard: the statistics, the row %s, and a cell with its column's head" % row)

    # Killed in the middle of the pasted game; the next start offers it.
    key("Escape")
    orca.idle()
    game.send_signal(signal.SIGKILL)
    game.wait(DEADLINE)
    start_program(session, copy, home)
    pass_start_window(orca, choose=False)
    question = orca.wait(r"^A game was left unfinished: variant 5, 30 marbles, \d+ seconds\."
                         r"\s+Continue it\? .*practice game", "the question")
    orca.wait(r"^Yes push button", "Yes, the default answer")
    print("heard: the question at the next start: " + " ".join(question.split()))


def main():
    return heard_in_a_fresh_home("marvolen-orca-carry-", hear_the_game_carried_over)


if __name__ == "__main__":
    sys.exit(main())
