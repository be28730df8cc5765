#!/usr/bin/env python3
"""Reads the windows of the process PID the way a screen reader does, over
AT-SPI: one line per named object, and per unnamed picture or control a
reader could stop at, "role<TAB>name<TAB>states" (states: the words
checked, focused, showing, focusable, editable, read-only that apply)."""
import sys

import pyatspi


def walk(node, depth, out):
    if node is None or depth > 40:
        return
    try:
        name = node.name
        role = node.getRoleName()
        states = node.getState()
    except Exception:  # an object gone while it was read
        return
    words = [w for w, s in (("checked", pyatspi.STATE_CHECKED), ("focused", pyatspi.STATE_FOCUSED),
                            ("showing", pyatspi.STATE_SHOWING), ("focusable", pyatspi.STATE_FOCUSABLE),
                            ("editable", pyatspi.STATE_EDITABLE), ("read-only", pyatspi.STATE_READ_ONLY))
             if states.contains(s)]
    if name or role == "image" or "focusable" in words:
        out.append("%s\t%s\t%s" % (role, name, " ".join(words)))
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        walk(child, depth + 1, out)


def main():
    pid = int(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if app.get_process_id() != pid:
                continue
        except Exception:
            continue
        out = []
        walk(app, 0, out)
        print("\n".join(out))
        return 0
    print("no application of process %d on the AT-SPI bus" % pid, file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
