#!/usr/bin/env python3
"""Every text of the real program's windows is whole on the screen, read from
the pixels: run by a11y-run.sh as

    text_ink.py BIN_DIR SCREEN_GRAB LANG SCALE CATALOGUE [SHOTS_DIR]

The program is started as a player starts it, under a desktop in LANG (de,
fr, en) with QT_SCALE_FACTOR=SCALE; its windows are opened from its own
menus (found by their captions in CATALOGUE, the language's .ts file, or
"none" in English) and
each is photographed in device pixels (SCREEN_GRAB, a Qt program of the
tests). Where each text widget lies comes from AT-SPI, as a screen reader
sees it. A text cut by its widget leaves its ink on the widget's edge: Qt
clips what does not fit at the widget's rectangle (a button's text inside
its frame), so letters that run out cross the last column, or the frame,
where only background or an even line belongs. So, for every label, button,
check box, radio button, tab and menu title, on the pixels:

- a label's last column, and every column of a button's frame on both
  sides, away from the rounded corners, is even: at most one pixel stands
  out from the line's own median colour (a cut letter leaves more);
- the first and last rows hold no more ink than descenders and accents
  leave (a line of text cut through leaves ink all along);
- the widget lies wholly inside its window, the window on the screen, and
  every title of the menu bar is shown;
- where two text widgets overlap by more than a point's rounding, neither
  draws ink into the other.

Pictures with a name (a die, a tile, a phrase button) are left out: they are
no text on a plain ground, or could never show their name in their width.
A window that fails is kept as FAILED-*.png in SHOTS_DIR (else in the
temporary folder, named in the message); with SHOTS_DIR every photograph is
kept there for a person to look at."""
import os
import shutil
import subprocess
import sys
import time
import xml.etree.ElementTree as ET

import pyatspi

from atspi_program import ESC, RETURN, Program, check, failures, press, registry_answers, within

TEXT_ROLES = {"label", "push button", "check box", "radio button", "page tab", "toggle button"}
# Windows opened from the menus, by their English captions; the first
# starts a game, so the others are seen with one under way.
MENU_WINDOWS = ["Start Game", "Host a Game…", "Join a Game…", "View Tally", "Spy List", "Phrase List",
                "Text Color", "About", "Solo Version of Tilecrest", "Download The Velmora Lobby…"]
# How far a pixel may stand out from its line before it counts as ink
# (largest difference of one channel, 0..255); text is drawn at far more.
INK = 96

class Shot:
    """A photograph of the screen, read from a binary PPM."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("not an 8-bit binary PPM: " + path)
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[at + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i:i + 3]


def median(colours):
    return tuple(sorted(c[k] for c in colours)[len(colours) // 2] for k in range(3))


def stands_out(colour, base):
    return max(abs(colour[k] - base[k]) for k in range(3)) > INK


def uneven(shot, points):
    """The points of a line that stand out from the line's median colour."""
    points = [(x, y) for x, y in points if 0 <= x < shot.width and 0 <= y < shot.height]
    if len(points) < 4:
        return []
    colours = [shot.at(x, y) for x, y in points]
    base = median(colours)
    return [p for p, c in zip(points, colours) if stands_out(c, base)]


def edge_faults(shot, box, scale, role):
    """Where ink lies on the edge of `box` (device pixels: x, y, w, h).
    A text starts at a label's left edge and its descenders may reach the
    last row, so there only a cut through a whole line counts; nothing of a
    button's text belongs on its frame."""
    x, y, w, h = box
    corner = 3 * scale
    if w <= 2 * corner + 2 or h <= 2 * corner + 2:
        return []
    rows = range(y + corner, y + h - corner)
    cols = range(x + corner, x + w - corner)
    across = max(6, len(cols) // 7)
    # A button clips its text inside its frame (a line and a bevel), a
    # label at its last column: each device column of that band on its own.
    band = 3 * scale if role == "push button" else 1
    lines = [("right edge", [(x + w - 1 - k, r) for r in rows], 2) for k in range(band)]
    if role == "push button":
        lines += [("left edge", [(x + k, r) for r in rows], 2) for k in range(band)]
    lines += [("top edge", [(c, y) for c in cols], across), ("bottom edge", [(c, y + h - 1) for c in cols], across)]
    faults = []
    for name, line, most in lines:
        ink = uneven(shot, line)
        if len(ink) >= most:
            faults.append("%s (%d px of ink, first at %d,%d)" % (name, len(ink), ink[0][0], ink[0][1]))
    return faults


def ink_inside(shot, box, around):
    """Pixels of `box` that stand out from the median of the ring `around`."""
    x, y, w, h = box
    ring = [(px, around[1]) for px in range(around[0], around[0] + around[2])]
    ring += [(px, around[1] + around[3] - 1) for px in range(around[0], around[0] + around[2])]
    ring = [p for p in ring if 0 <= p[0] < shot.width and 0 <= p[1] < shot.height]
    if not ring:
        return 0
    base = median([shot.at(px, py) for px, py in ring])
    return sum(1 for py in range(y, y + h) for px in range(x, x + w)
               if 0 <= px < shot.width and 0 <= py < shot.height and stands_out(shot.at(px, py), base))


def plainness(shot, box):
    """The share of the pixels of `box` within a few levels of its median."""
    x, y, w, h = box
    points = [(px, py) for py in range(y, y + h) for px in range(x, x + w)
              if 0 <= px < shot.width and 0 <= py < shot.height]
    if not points:
        return 1.0
    colours = [shot.at(px, py) for px, py in points]
    base = median(colours)
    return sum(1 for c in colours if max(abs(c[k] - base[k]) for k in range(3)) <= 24) / len(colours)


def catalogue(path):
    """English caption -> its captions in the language (every context's)."""
    names = {}
    if not path or not os.path.exists(path):
        return names
    for message in ET.parse(path).getroot().iter("message"):
        source = message.findtext("source") or ""
        text = "".join(message.find("translation").itertext()) if message.find("translation") is not None else ""
        if text:
            names.setdefault(source, set()).add(text)
    return names


def main():
    bin_dir, grab, lang, scale_text, ts = sys.argv[1:6]
    shots_dir = sys.argv[6] if len(sys.argv) > 6 else ""
    scale = int(scale_text)
    names = catalogue(ts) if lang != "en" else {}
    caption = lambda english: names.get(english, set()) | ({english} if lang == "en" else set())

    program = Program(bin_dir, "tilecrest-ink.", "tilecrest-ink-test")
    home = program.home
    keep = shots_dir or home
    os.makedirs(keep, exist_ok=True)
    env = program.env
    env["LANG"] = {"de": "de_DE.UTF-8", "fr": "fr_FR.UTF-8"}.get(lang, "C.UTF-8")
    for variable in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        env.pop(variable, None)
    if scale != 1:
        env["QT_SCALE_FACTOR"] = str(scale)
    # The camera is no program to read: at 1x, off the accessibility bus.
    camera_env = dict(os.environ)
    for variable in ("QT_SCALE_FACTOR", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY"):
        camera_env.pop(variable, None)

    if not registry_answers():
        print("skipped: the AT-SPI registry does not answer")
        return 77
    program.start("--port", "0")
    app = program.app

    def windows():
        a = app()
        out = []
        for i in range(a.childCount if a else 0):
            w = a.getChildAtIndex(i)
            if w is not None and w.getState().contains(pyatspi.STATE_SHOWING):
                out.append(w)
        return out

    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x * scale, e.y * scale, e.width * scale, e.height * scale)

    def texts(window):
        found = []

        def walk(node, depth, in_menu_bar):
            if node is None or depth > 40:
                return
            try:
                role = node.getRoleName()
                if depth > 0 and not node.getState().contains(pyatspi.STATE_SHOWING):
                    return
                if node.name and (role in TEXT_ROLES or (role == "menu item" and in_menu_bar)):
                    box = extents(node)
                    if box[2] > 0 and box[3] > 0:
                        found.append((role, node.name, box))
                children = [node.getChildAtIndex(i) for i in range(node.childCount)]
            except Exception:
                return
            for child in children:
                walk(child, depth + 1, role == "menu bar")

        walk(window, 0, False)
        return found

    shots = [0]

    def photograph(window, what):
        shots[0] += 1
        base = os.path.join(keep, "%02d-%s-%dx-%s" % (shots[0], lang, scale, what.replace(" ", "_").replace("/", "_")))
        win = extents(window)
        # The window as it stays: two photographs alike, once its last paint
        # has reached the X server (a game under way may keep changing it).
        time.sleep(0.3)
        shot, last = None, None
        for _ in range(10):
            subprocess.run([grab, base + ".ppm"], env=camera_env, check=True)
            shot = Shot(base + ".ppm")
            now = [shot.pixels[3 * (r * shot.width + max(win[0], 0)):3 * (r * shot.width + win[0] + win[2])]
                   for r in range(max(win[1], 0), min(win[1] + win[3], shot.height))]
            if now == last:
                break
            last = now
            time.sleep(0.3)
        os.remove(base + ".ppm")
        if shots_dir:
            subprocess.run([grab, base + ".png"], env=camera_env, check=True)
        faults = []
        if win[0] < 0 or win[1] < 0 or win[0] + win[2] > shot.width or win[1] + win[3] > shot.height:
            faults.append("the window %s is not wholly on the %dx%d screen" % (win, shot.width, shot.height))
        found = texts(window)
        for i in range(window.childCount):
            bar = window.getChildAtIndex(i)
            if bar is None or bar.getRoleName() != "menu bar":
                continue
            # A menu bar too narrow hides its last titles behind a button
            # ("»"), where they have no place of their own.
            room = extents(bar)
            for k in range(bar.childCount):
                title = bar.getChildAtIndex(k)
                if title is None or title.getRoleName() != "menu item":
                    continue
                try:
                    at = extents(title)
                except NotImplementedError:  # no place at all
                    at = (0, 0, 0, 0)
                shown = (title.getState().contains(pyatspi.STATE_SHOWING) and at[2] > 0 and at[3] > 0
                         and at[0] >= room[0] and at[0] + at[2] <= room[0] + room[2])
                if not shown:
                    faults.append("the menu %r is not shown in the menu bar (at %s)" % (title.name, at))
        for role, name, box in found:
            inside = (box[0] >= win[0] and box[1] >= win[1] and box[0] + box[2] <= win[0] + win[2]
                      and box[1] + box[3] <= win[1] + win[3])
            if not inside:
                faults.append("%s %r at %s reaches out of its window %s" % (role, name, box, win))
                continue
            # A picture with a name (a die, a tile, a phrase button) is no
            # text on a plain ground, or could never show its name in its width.
            if plainness(shot, box) < 0.45 or len(name) * 3 * scale > box[2]:
                continue
            for fault in edge_faults(shot, box, scale, role):
                faults.append("%s %r at %s: ink on its %s" % (role, name, box, fault))
        for i, (role_a, name_a, a) in enumerate(found):
            for role_b, name_b, b in found[i + 1:]:
                x0, y0 = max(a[0], b[0]), max(a[1], b[1])
                x1, y1 = min(a[0] + a[2], b[0] + b[2]), min(a[1] + a[3], b[1] + b[3])
                # A point's rounding between fixed places is no overlap.
                if x1 - x0 < 2 * scale or y1 - y0 < 2 * scale:
                    continue
                contains = lambda p, q: (p[0] <= q[0] and p[1] <= q[1] and p[0] + p[2] >= q[0] + q[2]
                                         and p[1] + p[3] >= q[1] + q[3])
                if contains(a, b) or contains(b, a):
                    continue  # a caption inside its box, a name inside its control
                ink = ink_inside(shot, (x0, y0, x1 - x0, y1 - y0), (x0 - 1, y0 - 1, x1 - x0 + 2, y1 - y0 + 2))
                if ink:
                    faults.append("%s %r at %s and %s %r at %s overlap with %d px of ink between them"
                                  % (role_a, name_a, a, role_b, name_b, b, ink))
        label = "%s at %dx, %s" % (lang, scale, what)
        if faults:
            kept = os.path.join(keep, "FAILED-%s.png" % os.path.basename(base))
            subprocess.run([grab, kept], env=camera_env)
            for f in faults:
                check(False, "%s: %s (photograph: %s)" % (label, f, kept))
        check(len(found) > 0, "%s: no text widget found" % label)
        print("%s: %d texts looked at, %d faults" % (label, len(found), len(faults)))

    def top(role_names, title_set):
        for w in windows():
            if w.getRoleName() in role_names and w.name in title_set:
                return w
        return None

    def newest(before):
        seen = {(b.getRoleName(), b.name) for b in before}
        for w in windows():
            if (w.getRoleName(), w.name) not in seen:
                return w
        return None

    def menu_item(english):
        wanted = caption(english)
        menu_bar = None
        for w in windows():
            for i in range(w.childCount):
                c = w.getChildAtIndex(i)
                if c is not None and c.getRoleName() == "menu bar":
                    menu_bar = c
        found = []

        def walk(node, depth):
            if node is None or depth > 6 or found:
                return
            if node.getRoleName() == "menu item" and node.name in wanted and node.childCount == 0:
                found.append(node)
                return
            for i in range(node.childCount):
                walk(node.getChildAtIndex(i), depth + 1)

        walk(menu_bar, 0)
        return found[0] if found else None

    try:
        offer_titles = caption("Download The Velmora Lobby")
        if not check(within(lambda: top({"dialog"}, offer_titles), 90), "the lobby offer did not open"):
            return 1
        photograph(top({"dialog"}, offer_titles), "lobby offer")
        press(RETURN)
        check(within(lambda: not top({"dialog"}, offer_titles)), "Enter left the lobby offer open")
        main_window = top({"frame"}, {"Tilecrest"})
        check(main_window is not None, "no main window titled Tilecrest")
        photograph(main_window, "main window")

        for english in MENU_WINDOWS:
            item = menu_item(english)
            if not check(item is not None, "%s at %dx: no menu item %r (%s)" % (lang, scale, english,
                                                                               sorted(caption(english)))):
                continue
            before = windows()
            # A modal dialog answers the press only when it closes.
            pyatspi.setTimeout(2000, 15000)
            try:
                item.queryAction().doAction(0)
            except Exception:
                pass
            pyatspi.setTimeout(25000, 15000)
            if not check(within(lambda: newest(before) is not None), "%r opened no window" % english):
                continue
            window = newest(before)
            photograph(window, english.rstrip("…"))
            press(RETURN if english == "Start Game" else ESC)
            if not within(lambda: newest(before) is None, 5):
                # A side window that Esc does not close stays below the next.
                print("note: %r is still open" % english)
        if within(lambda: program.process.poll() is None, 1):
            photograph(main_window, "main window in a game")
    finally:
        status, printed = program.stop()
    check(status == 0, "SIGTERM ended the program with status %d" % status)
    check(printed == "", "the program printed on its console: " + printed)
    if not failures:
        shutil.rmtree(home, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
