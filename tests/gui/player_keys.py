#!/usr/bin/env python3
"""The real program played from the keyboard alone, as a player would: real
key presses through the X server's XTEST (AT-SPI's key synthesis), the
windows read back over AT-SPI. Run by a11y-run.sh: player_keys.py BIN_DIR.

At a plain start the lobby offer opens with the focus on Play Solo Game and
Enter closes it; in the chat input Alt+F opens File, Alt with a letter that
opens nothing types nothing, Esc and Esc close the menu and give the focus
back, F10 opens the first menu; Ctrl+N opens Game Start and Enter starts the
game; F1 opens Help and Esc closes it; SIGTERM ends the program with status 0
and nothing printed on its console."""
import shutil
import sys
import time

import pyatspi

from atspi_program import (ALT, CTRL, ESC, F1, F10, KEY_F, KEY_K, KEY_N, RETURN, Program, check, failures, press,
                           registry_answers, within)


def find(node, test, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if test(node):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), test, depth + 1)
            if found:
                return found
    except Exception:
        return None
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def main():
    program = Program(sys.argv[1], "tilecrest-player.", "tilecrest-player-test")
    if not registry_answers():
        print("skipped: the AT-SPI registry does not answer")
        return 77
    program.start("--port", "0")
    app = program.app
    try:
        def shown(role, name):
            return find(app(), lambda n: n.getRoleName() == role and n.name == name and showing(n))

        def focused():
            return find(app(), lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))

        offer = "Download The Velmora Lobby"
        # The first start draws the table's pictures; a loaded machine takes its time.
        if not within(lambda: shown("dialog", offer), 90):
            check(False, "the lobby offer did not open (on the bus: %s)" % (app() is not None))
            return 1
        check(within(lambda: focused().name == "Play Solo Game"), "the offer's focus is not on Play Solo Game")
        press(RETURN)
        check(within(lambda: not shown("dialog", offer)), "Enter left the lobby offer open")

        # Into the chat input, as a click puts the focus there.
        chat = find(app(), lambda n: n.getRoleName() == "text" and n.name == "Chat input")
        box = chat.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        click_chat = lambda: pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
        click_chat()
        check(within(lambda: focused().name == "Chat input"), "a click did not put the focus in the chat input")
        pyatspi.Registry.generateKeyboardEvent(0, "hi", pyatspi.KEY_STRING)
        text = lambda: chat.queryText().getText(0, -1)
        check(within(lambda: text() == "hi"), "typing reached the chat input as %r" % text())

        press(KEY_F, ALT)
        check(within(lambda: shown("menu item", "Exit")), "Alt+F did not open File")
        press(ESC)
        press(ESC)
        check(within(lambda: not shown("menu item", "Exit") and focused().name == "Chat input"),
              "Esc, Esc did not close File and give the focus back")
        press(KEY_K, ALT)
        time.sleep(0.3)
        check(text() == "hi", "Alt+K typed into the chat: %r" % text())
        press(F10)
        check(within(lambda: shown("menu item", "Exit")), "F10 did not open the first menu")
        press(ESC)
        press(ESC)
        check(text() == "hi", "the menus changed the chat's line: %r" % text())

        press(KEY_N, CTRL)
        start = "Tilecrest - Game Start"
        check(within(lambda: shown("dialog", start)), "Ctrl+N did not open Game Start")
        press(RETURN)
        check(within(lambda: not shown("dialog", start)), "Enter left Game Start open")
        check(within(lambda: find(app(), lambda n: n.name.startswith("Seat 2, Rudi"))), "Enter started no game")

        # Without a window manager nothing gives the main window the focus
        # back when Game Start goes: a click does.
        click_chat()
        check(within(lambda: focused().name == "Chat input"), "a click did not bring the focus back")
        press(F1)
        check(within(lambda: shown("frame", "Tilecrest - Help File")), "F1 did not open Help")
        press(ESC)
        check(within(lambda: not shown("frame", "Tilecrest - Help File")), "Esc left Help open")
    finally:
        status, printed = program.stop()
    check(status == 0, "SIGTERM ended the program with status %d" % status)
    check(printed == "", "the program printed on its console: " + printed)
    if not failures:
        shutil.rmtree(program.home, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
