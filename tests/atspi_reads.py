#!/usr/bin/env python3
"""Reads the running program's window as a screen reader does, through AT-SPI,
and checks it. Usage: atspi_reads.py LETTERS CAPTION"""
import sys

import pyatspi

from atspi_common import walk, within_seconds

letters, caption = sys.argv[1], sys.argv[2]


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


within_seconds(check)
print(f"ok - read through AT-SPI: window, counter {letters}, button {caption!r}, the target's costs")
