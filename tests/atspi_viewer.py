#!/usr/bin/env python3
"""Reads the log viewer as a screen reader does: the current row's letter
number and letter, and the chart's figures. Usage: atspi_viewer.py ROW CHART_LINE"""
import sys

import pyatspi

from atspi_common import walk, within_seconds

row, chart_line = sys.argv[1], sys.argv[2]


def check():
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Dovevad-Logbetrachter"]
    assert apps, "no viewer among the accessible applications"
    nodes = list(walk(apps[0]))
    names = [n.name for n in nodes]
    assert row in names, f"no node reads {row!r}: {names}"
    charts = [n.description for n in nodes if n.name == "Verteilung der Buchstaben"]
    assert charts and chart_line in charts[0].split("\n"), f"the chart reads {charts}"


within_seconds(check)
print(f"ok - the viewer read through AT-SPI: {row!r}, the chart's {chart_line!r}")
