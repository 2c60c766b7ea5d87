#!/usr/bin/env python3
"""Reads the running program's window as a screen reader does, through AT-SPI,
and checks it. Usage: atspi_reads.py LETTERS CAPTION"""
import sys
import time

import pyatspi

letters, caption = sys.argv[1], sys.argv[2]


def walk(node):
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i))


def check():
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name.lower() == "dovevad"]
    assert apps, "no Dovevad among the accessible applications"
    window = apps[0].getChildAtIndex(0)
    assert window.getRoleName() in ("frame", "window"), f"the window's role is {window.getRoleName()}"
    assert window.name == "Dovevad", f"the window is named {window.name!r}"
    nodes = list(walk(window))
    counters = [n.name for n in nodes if n.getRoleName() == "label" and n.name.isdigit()]
    assert counters == [letters], f"the counter reads {counters}, the log holds {letters} letters"
    buttons = [n.name for n in nodes if n.getRoleName() == "push button"]
    assert caption in buttons, f"no button named {caption!r}: {buttons}"
    texts = [n.description for n in nodes if n.getRoleName() == "text"]
    assert texts and "Erwartet: " in texts[0], f"the target's description: {texts}"


# The window tells its news as it gets round to it: give it a few seconds.
for attempt in range(20):
    try:
        check()
        break
    except AssertionError:
        if attempt == 19:
            raise
        time.sleep(0.25)
print(f"ok - read through AT-SPI: window, counter {letters}, button {caption!r}, the target's costs")
