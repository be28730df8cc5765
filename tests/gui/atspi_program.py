"""What the tests that play the real program over AT-SPI share: the checks
they collect, real key presses through the X server's XTEST (AT-SPI's key
synthesis), and the program started as a player starts it, its windows
found on the accessibility bus by its process."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

# Keycodes of the X server's own keymap (Xvfb: evdev's numbering).
ESC, RETURN, CTRL, ALT, F1, F10 = 9, 36, 37, 64, 67, 76
KEY_F, KEY_K, KEY_N = 41, 45, 57

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what, file=sys.stderr)
    return ok


def within(test, seconds=20.0):
    end = time.time() + seconds
    while time.time() < end:
        try:
            if test():
                return True
        except Exception:  # an object gone while it was read
            pass
        time.sleep(0.1)
    return False


def press(code, *held):
    for h in held:
        pyatspi.Registry.generateKeyboardEvent(h, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESSRELEASE)
    for h in reversed(held):
        pyatspi.Registry.generateKeyboardEvent(h, None, pyatspi.KEY_RELEASE)
    time.sleep(0.2)


def registry_answers():
    """The registry answers before the program starts: an application that
    comes up before it is never listed."""
    return within(lambda: pyatspi.Registry.getDesktop(0).childCount >= 0)


class Program:
    """The real program in a fresh home of its own. It is a portable copy,
    which keeps its settings and tally beside itself: so it runs from a copy
    in that home (with its sound module), never from the build's folder that
    every other test shares."""

    def __init__(self, bin_dir, prefix, user):
        self.bin_dir = bin_dir
        self.home = tempfile.mkdtemp(prefix=prefix)
        self.folder = os.path.join(self.home, "program")
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.home + "/.config",
                        XDG_DATA_HOME=self.home + "/.local/share", XDG_CACHE_HOME=self.home + "/.cache", USER=user)
        self.process = None
        self.err = None

    def start(self, *args):
        os.makedirs(self.folder)
        for name in ("tilecrest", "tilecrest-sound.so"):
            if os.path.exists(os.path.join(self.bin_dir, name)):
                shutil.copy2(os.path.join(self.bin_dir, name), self.folder)
        self.err = open(os.path.join(self.home, "stderr"), "w+")
        self.process = subprocess.Popen([os.path.join(self.folder, "tilecrest")] + list(args), env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=self.err)

    def app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            try:
                a = desktop.getChildAtIndex(i)
                if a is not None and a.get_process_id() == self.process.pid:
                    return a
            except Exception:  # another application, gone or not answering
                continue
        return None

    def stop(self):
        """SIGTERM; the exit status and what it printed on its console."""
        self.process.terminate()
        try:
            status = self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            status = self.process.wait()
        self.err.seek(0)
        printed = self.err.read()
        shutil.rmtree(self.folder, ignore_errors=True)
        return status, printed
