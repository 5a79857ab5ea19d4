#!/usr/bin/env python3
"""Reads the grid of GridReaderApp the way a screen reader on Linux does: through the
AT-SPI bus with pyatspi. Finds the grid as a table, reads a cell's name and its column's
headers, moves the focus with a key and waits for the focus event of the new cell.

Runs inside a session D-Bus (dbus-run-session) on an X server (xvfb-run); the accessibility
bus is started through the session bus and goes with it.

usage: grid_reader.py APP
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20  # seconds for each thing awaited


def fail(message):
    print("grid_reader: " + message, file=sys.stderr)
    sys.exit(1)


def expect(what, actual, wanted):
    if actual != wanted:
        fail("%s: %r, expected %r" % (what, actual, wanted))
    print("ok: %s = %r" % (what, actual))


def start_accessibility_bus():
    # Asking the session bus for the accessibility bus starts it (with its registry).
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL, timeout=TIMEOUT)


def start_app(path):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    app = subprocess.Popen([path], env=env, stdout=subprocess.PIPE, text=True)
    line = app.stdout.readline()
    if line.strip() != "ready":
        app.kill()
        fail("the application did not start: %r" % line)
    return app


def find_application(name):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    fail("no application %r on the accessibility bus" % name)


def wait_for(predicate, what):
    """Runs the event loop until predicate() holds."""
    deadline = time.monotonic() + TIMEOUT
    context = GLib.MainContext.default()
    while not predicate():
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        context.iteration(False)
        time.sleep(0.01)


def main():
    start_accessibility_bus()
    app_process = start_app(sys.argv[1])
    try:
        app = find_application("velkogrid-grid-reader-app")
        grid = pyatspi.findDescendant(app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TABLE)
        if grid is None:
            fail("no table in the application")
        expect("table name", grid.name, "Orders")
        table = grid.queryTable()
        expect("rows", table.nRows, 3)
        expect("columns", table.nColumns, 3)

        cell = table.getAccessibleAt(0, 1)
        expect("cell name (as shown)", cell.name, "1,234.50")
        expect("cell role", cell.getRole(), pyatspi.ROLE_TABLE_CELL)
        expect("column header", table.getColumnHeader(1).name, "Amounts")
        expect("column description", table.getColumnDescription(1), "Amounts, Unit price")
        expect("row description", table.getRowDescription(0), "Order 1")

        focused = []

        def on_focus(event):
            if event.detail1 == 1:
                focused.append(event.source.name)

        pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
        # Down moves the current cell from "Pencils" to "Paper".
        pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # XK_Down
        wait_for(lambda: "Paper" in focused, "the focus event of the cell below")
        print("ok: focus moved to %r" % focused[-1])
        pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    finally:
        app_process.terminate()
        try:
            app_process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            app_process.kill()
    print("grid_reader: passed")


if __name__ == "__main__":
    main()
