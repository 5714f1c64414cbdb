#!/usr/bin/python3
# What a screen reader hears from the "Your games" window: waits until its figures are in
# (the "Games played" figure no longer "..."), then prints the accessible name of every
# label of the window, one a line, the figures ("Won: 1") and the trend sentence among them.
# With --tree, prints the window's whole accessible tree instead (role, name, description),
# to look at.
# Usage: yourgames_says.py [--tree] [<seconds, 20 by default>]
import sys
import time

import pyatspi

TITLE = "Your games"


def labels(desktop):
    for app in desktop:
        if app is None:
            continue
        for frame in app:
            if frame is None or frame.name != TITLE:
                continue
            found = []
            pending = [frame]
            while pending:
                node = pending.pop(0)
                if node.getRole() == pyatspi.ROLE_LABEL and node.name:
                    found.append(node.name)
                pending.extend(child for child in node if child is not None)
            return found
    return None


def tree(node, depth=0):
    description = f" -- {node.description}" if node.description else ""
    print(f"{'  ' * depth}{node.getRoleName()}: {node.name!r}{description}")
    for child in node:
        if child is not None:
            tree(child, depth + 1)


def main():
    args = sys.argv[1:]
    whole = "--tree" in args
    args = [arg for arg in args if arg != "--tree"]
    seconds = float(args[0]) if args else 20.0
    deadline = time.monotonic() + seconds
    heard = None
    while time.monotonic() < deadline:
        try:
            heard = labels(pyatspi.Registry.getDesktop(0))
            if heard and any(name.startswith("Games played: ") for name in heard):
                if not whole:
                    print("\n".join(heard))
                    return 0
                for app in pyatspi.Registry.getDesktop(0):
                    for frame in app or []:
                        if frame is not None and frame.name == TITLE:
                            tree(frame)
                return 0
        except Exception as error:  # the window may be on its way; ask again
            heard = [f"(no answer: {error})"]
        time.sleep(0.2)
    print(f"no figures heard: {heard!r}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
