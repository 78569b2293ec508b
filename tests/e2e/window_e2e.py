#!/usr/bin/python3
"""Drives the real launcher binary on a real X server (run it under xvfb-run).

Waits for the main window, checks its size, turns through the six pages with the keyboard,
writes a screenshot of each, then closes the window the way a window manager's close box does
(WM_DELETE_WINDOW) and checks that the process ends cleanly and leaves nothing behind.

Usage: window_e2e.py KORVANE_BINARY SCREENSHOT_DIR
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

from xwindow import SESSION_BUS, close_and_wait, fail, find_window, photograph, window_title

PAGES = ["Join Game", "Host Game", "File Manager", "Setup", "Mod Player", "Credits"]
SCREENSHOT_NAMES = ["join-game", "host-game", "file-manager", "setup", "mod-player", "credits"]
TWIPS_PER_PIXEL = 15
EXPECTED_SIZE = (7785 // TWIPS_PER_PIXEL, 4500 // TWIPS_PER_PIXEL)


def press(dpy, keysyms):
    codes = [dpy.keysym_to_keycode(XK.string_to_keysym(k)) for k in keysyms]
    for code in codes:
        xtest.fake_input(dpy, X.KeyPress, code)
    for code in reversed(codes):
        xtest.fake_input(dpy, X.KeyRelease, code)
    dpy.sync()


def wait_for_title(dpy, window, title, timeout=5.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if window_title(dpy, window) == title:
            return True
        time.sleep(0.02)
    return False


def descendants(pid):
    children = set()
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            if parent == pid:
                children.add(int(entry))
    return children


def native_windows(window):
    """The X windows inside window, at any depth."""
    children = window.query_tree().children
    return len(children) + sum(native_windows(child) for child in children)


def main():
    binary, shots = sys.argv[1], sys.argv[2]
    os.makedirs(shots, exist_ok=True)
    home = tempfile.mkdtemp()
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=home, SDL_AUDIODRIVER="dummy")
    env.pop("QT_QPA_PLATFORM", None)
    # Its own session bus: a launcher without one would have D-Bus start a bus of its own that
    # outlives it.
    process = subprocess.Popen([*SESSION_BUS, binary], env=env, start_new_session=True)
    dpy = display.Display()
    try:
        window = find_window(dpy, "Korvane 1.4 -> Join Game")
        if window is None:
            fail("no window titled 'Korvane 1.4 -> Join Game' appeared")
        geometry = window.get_geometry()
        if (geometry.width, geometry.height) != EXPECTED_SIZE:
            fail(f"window is {geometry.width}x{geometry.height}, expected "
                 f"{EXPECTED_SIZE[0]}x{EXPECTED_SIZE[1]}")

        # The player's picture box needs a native window; its neighbours must not get one each,
        # which would cost start-up time, memory and every repaint.
        natives = native_windows(window)
        if natives > 6:
            fail(f"{natives} native windows inside the main window, expected a handful")

        # Without a window manager the focus follows the pointer: rest it on the window.
        origin = window.translate_coords(dpy.screen().root, 0, 0)
        xtest.fake_input(dpy, X.MotionNotify, x=-origin.x + 260, y=-origin.y + 150)
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        dpy.sync()

        for index, page in enumerate(PAGES):
            title = "Korvane 1.4 -> " + page
            if not wait_for_title(dpy, window, title):
                fail(f"expected the caption {title!r}, saw {window_title(dpy, window)!r}")
            time.sleep(0.3)  # let the page paint before the picture is taken
            target = os.path.join(shots, SCREENSHOT_NAMES[index] + ".png")
            photograph(window, target)
            if index + 1 < len(PAGES):
                press(dpy, ["Control_L", "Tab"])
        print(f"{len(PAGES)} pages shown and photographed in {shots}")

        children = descendants(process.pid)
        close_and_wait(dpy, window, process, "the launcher", timeout=10)
        # The session bus ends with dbus-run-session, a moment after it.
        deadline = time.monotonic() + 3
        while True:
            try:
                os.killpg(process.pid, 0)
            except ProcessLookupError:
                break
            if time.monotonic() > deadline:
                fail("processes of the launcher's group are still running")
            time.sleep(0.05)
        left = [child for child in children if os.path.exists(f"/proc/{child}")]
        if left:
            fail(f"children left behind: {left}")
        print("closed by the close box: exit status 0, nothing left behind")
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)


if __name__ == "__main__":
    main()
