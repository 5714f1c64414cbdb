#!/usr/bin/python3
# What a screen reader hears from the game's board: waits until the board's accessible
# description, read through AT-SPI, matches a pattern, and prints it.
# Usage: board_says.py <regular expression, matched whole> [<seconds, 10 by default>]
# Exits 1, printing the last description heard, when it does not match in time.
import re
import sys
import time

import pyatspi

MAIN_TITLE = "Tobrinel - Karvolen 2003"


def find_board(desktop):
    """The main window's board: the object whose children are the seventeen cells."""
    for app in desktop:
        if app is None:
            continue
        for frame in app:
            if frame is None or frame.name != MAIN_TITLE:
                continue
            pending = [frame]
            while pending:
                node = pending.pop()
                children = [child for child in node if child is not None]
                if any(child.name.startswith("Cell 1:") for child in children):
                    return node
                pending.extend(children)
    return None


def main():
    pattern = re.compile(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    deadline = time.monotonic() + seconds
    heard = None
    board = None
    while time.monotonic() < deadline:
        try:
            if board is None:
                board = find_board(pyatspi.Registry.getDesktop(0))
            if board is not None:
                board.clear_cache()  # the description changes while we listen
                heard = board.description
                if pattern.fullmatch(heard):
                    print(heard)
                    return 0
        except Exception as error:  # the game may be between windows; ask again
            heard = f"(no answer: {error})"
            board = None
        time.sleep(0.1)
    print(f"the board says {heard!r}" if board is not None or heard else "no board in the AT-SPI tree",
          file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
