"""Looks at the running demo the way a screen reader does, over AT-SPI.
# SPDX-License-Identifier: GPL-3.0-or-later

Run by scripts/accessibility-probe, which starts the demo under Xvfb with an AT-SPI bus.
Opens Received History from the menu, waits for two receptions, reads the rows, moves the
selection with the Down key and checks the events a screen reader would announce.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

reg = pyatspi.Registry
events = []
failures = []


def record(event):
    try:
        events.append((event.type, event.source.getRoleName(), event.source.name, event.detail1))
    except Exception:  # the source may be gone already
        pass


for kind in ("object:children-changed:add", "object:state-changed:focused",
             "object:state-changed:selected", "focus:"):
    reg.registerEventListener(record, kind)


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def find(node, wanted, depth=0):
    if node is None or depth > 25:
        return None
    try:
        if wanted(node):
            return node
        count = node.childCount
        if node.getRoleName() == "list":
            return None  # never walk the rows of a list
    except Exception:
        return None
    for i in range(count):
        found = find(node.getChildAtIndex(i), wanted, depth + 1)
        if found:
            return found
    return None


def application():
    desktop = reg.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app and "tamsel" in (app.name or "").lower():
            return app
    return None


started = time.time()
state = {"step": "menu"}


def history_list(app):
    return find(app, lambda n: n.getRoleName() == "list" and n.name == "Received History")


def finish():
    reg.stop()
    return False


def step():
    if time.time() - started > 60:
        check(False, "the probe finished within a minute (stopped at step %s)" % state["step"])
        return finish()
    app = application()
    if app is None:
        return True
    if state["step"] == "menu":
        item = find(app, lambda n: n.getRoleName() == "menu item" and n.name == "Received History")
        if item is None:
            return True
        item.queryAction().doAction(0)
        state["step"] = "rows"
    elif state["step"] == "rows":
        rows = history_list(app)
        if rows is None or rows.childCount < 2:
            return True
        first = rows.getChildAtIndex(0)
        print("rows: %d; first: %r" % (rows.childCount, first.name))
        check(first.getRoleName() == "list item", "a row is a list item")
        check(len(first.name) >= 40 and first.name[4] == "/", "a row is named by its text")
        box = first.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        check(box.width > 0 and box.height > 0, "a row has a place on screen")
        rows.queryComponent().grabFocus()
        state["step"] = "down1"
    elif state["step"] in ("down1", "down2"):
        reg.generateKeyboardEvent(116, None, pyatspi.KEY_PRESSRELEASE)  # Down
        state["step"] = "down2" if state["step"] == "down1" else "events"
    elif state["step"] == "events":
        rows = history_list(app)
        second = rows.getChildAtIndex(1)
        added = [e for e in events if e[0].startswith("object:children-changed:add")
                 and e[2] == "Received History"]
        focused = [e for e in events if e[0] == "focus:" and e[1] == "list item"]
        selected = [e for e in events if e[0] == "object:state-changed:selected"]
        check(len(added) >= 2, "each new row was announced (%d)" % len(added))
        check(len(focused) == 2 and focused[-1][2] == second.name,
              "the focus followed the Down key to the second row")
        check([e[3] for e in selected] == [1, 0, 1], "the selection moved: on, off, on")
        check(second.getState().contains(pyatspi.STATE_SELECTED), "the second row is selected")
        return finish()
    return True


GLib.timeout_add(300, step)
reg.start()
sys.exit(1 if failures else 0)
