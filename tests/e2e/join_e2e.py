#!/usr/bin/python3
"""Joins a server with the real launcher on a real X server (run it under xvfb-run), as a user.

The launcher is started with --list-server pointing at a fake list server on 127.0.0.1 (not the
default port) and with a fake `wine` on the PATH that writes down its arguments and the
WINEPREFIX it was given; no WINEPREFIX is set. The test accepts a game directory that lies inside
a Wine prefix (a path with a blank), unticks both mirror boxes, refreshes, sorts the table by
"IP Adr", chooses the top row and presses "Launch ===>". The fake wine must have been started
in the prefix, for the server that sorts first by address.

Usage: join_e2e.py KORVANE_BINARY
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from window_e2e import fail, find_window, press, wait_for_title  # noqa: E402
from xwindow import SESSION_BUS  # noqa: E402

REPLY = (b"192.0.2.20:1 battle [10/16] Twenty\r\n"
         b"192.0.2.3:1 ctf [3/16] Three\r\n")


def column_middle(caption):
    """The middle of a column of the server table, from the left of the table, as the column list
    in browser/ServerColumns.h gives their captions and widths."""
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "browser",
                          "ServerColumns.h")
    with open(source) as header:
        columns = re.findall(r'\{\w+, "([^"]*)", (\d+)\}', header.read())
    left = 0
    for name, width in columns:
        if name == caption:
            return left + px(int(width)) // 2
        left += px(int(width))
    fail(f"no column {caption!r} in {source}")


def px(twips):
    return (2 * twips + 15) // 30


def page_point(left, top, width, height):
    """The middle of a control of a page, in window coordinates (twips as the pages use them)."""
    return px(2400) + px(left) + px(width) // 2, px(720) + px(top) + px(height) // 2


def click(dpy, window, x, y):
    origin = window.translate_coords(dpy.screen().root, 0, 0)
    xtest.fake_input(dpy, X.MotionNotify, x=-origin.x + x, y=-origin.y + y)
    xtest.fake_input(dpy, X.ButtonPress, 1)
    xtest.fake_input(dpy, X.ButtonRelease, 1)
    dpy.sync()
    time.sleep(0.2)


def type_text(dpy, text):
    names = {" ": "space", "/": "slash", ".": "period", "-": "minus", "_": "underscore"}
    shift = dpy.keysym_to_keycode(XK.string_to_keysym("Shift_L"))
    for char in text:
        keysym = XK.string_to_keysym(names.get(char, char))
        code = dpy.keysym_to_keycode(keysym)
        shifted = dpy.keycode_to_keysym(code, 0) != keysym
        if shifted:
            xtest.fake_input(dpy, X.KeyPress, shift)
        xtest.fake_input(dpy, X.KeyPress, code)
        xtest.fake_input(dpy, X.KeyRelease, code)
        if shifted:
            xtest.fake_input(dpy, X.KeyRelease, shift)
    dpy.sync()


def serve(listener, seen):
    """The fake list server: it speaks first, as the real one does."""
    while True:
        try:
            peer, _ = listener.accept()
        except OSError:
            return
        seen.append(peer)
        peer.sendall(REPLY)


def main():
    binary = sys.argv[1]
    home = tempfile.mkdtemp(prefix="korvane-join-")
    prefix = os.path.join(home, "games pfx")
    game = os.path.join(prefix, "drive_c", "Brix2")
    os.makedirs(game)
    open(os.path.join(prefix, "system.reg"), "w").close()
    open(os.path.join(game, "brix2.exe"), "w").close()
    bin_dir, log = os.path.join(home, "bin"), os.path.join(home, "wine.log")
    os.makedirs(bin_dir)
    with open(os.path.join(bin_dir, "wine"), "w") as wine:
        wine.write('#!/bin/sh\n{ printf "WINEPREFIX=%s\\n" "$WINEPREFIX"; '
                   'for a in "$@"; do printf "%s\\n" "$a"; done; } > "$0.tmp"\n'
                   f'mv "$0.tmp" "{log}"\n')
    os.chmod(os.path.join(bin_dir, "wine"), 0o755)

    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen()
    port = listener.getsockname()[1]
    seen = []
    threading.Thread(target=serve, args=(listener, seen), daemon=True).start()

    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=home, SDL_AUDIODRIVER="dummy",
               PATH=bin_dir + os.pathsep + os.environ["PATH"])
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("WINEPREFIX", None)
    process = subprocess.Popen([*SESSION_BUS, binary, "--list-server",
                                f"127.0.0.1:{port}"], env=env,
                               start_new_session=True)
    dpy = display.Display()
    try:
        window = find_window(dpy, "Korvane 1.4 -> Join Game")
        if window is None:
            fail("no window titled 'Korvane 1.4 -> Join Game' appeared")
        click(dpy, window, 260, 150)  # the focus follows the pointer without a window manager
        window.set_input_focus(X.RevertToParent, X.CurrentTime)

        for _ in range(3):
            press(dpy, ["Control_L", "Tab"])
        if not wait_for_title(dpy, window, "Korvane 1.4 -> Setup"):
            fail("the Setup page did not come")
        click(dpy, window, *page_point(120, 240, 4095, 315))  # the directory box
        press(dpy, ["Control_L", "a"])
        type_text(dpy, game)
        click(dpy, window, *page_point(4320, 240, 855, 315))  # "Accept"
        for _ in range(3):
            press(dpy, ["Control_L", "Tab"])
        if not wait_for_title(dpy, window, "Korvane 1.4 -> Join Game"):
            fail("the Join Game page did not come back")

        click(dpy, window, px(2400) + px(120) + 8, px(720) + px(2580) + 8)  # Pellam's box
        click(dpy, window, px(2400) + px(120) + 8, px(720) + px(2820) + 8)  # Corvin's box
        click(dpy, window, *page_point(2280, 2640, 1335, 375))  # "<=== Refresh List"
        deadline = time.monotonic() + 5
        while not seen and time.monotonic() < deadline:
            time.sleep(0.05)
        if not seen:
            fail(f"nothing connected to the list server on 127.0.0.1:{port}")
        time.sleep(0.5)
        table_x, table_y = px(2400) + px(120), px(720) + px(240)
        ip_column = column_middle("IP Adr")
        click(dpy, window, table_x + ip_column, table_y + 8)  # the "IP Adr" header
        click(dpy, window, table_x + 40, table_y + 30)  # the top row
        click(dpy, window, *page_point(3840, 2640, 1335, 375))  # "Launch ===>"

        deadline = time.monotonic() + 5
        while not os.path.exists(log) and time.monotonic() < deadline:
            time.sleep(0.05)
        if not os.path.exists(log):
            fail("the game was not started")
        with open(log) as started:
            lines = started.read().splitlines()
        print("the fake wine received: " + " | ".join(lines))
        expected = [f"WINEPREFIX={prefix}", os.path.join(game, "brix2.exe"), "-connect",
                    "192.0.2.3"]
        if lines != expected:
            fail(f"expected {expected}")
        print(f"joined 192.0.2.3 from the list server on port {port}, in the prefix {prefix}")

        message = protocol.event.ClientMessage(
            window=window, client_type=dpy.intern_atom("WM_PROTOCOLS"),
            data=(32, [dpy.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(message)
        dpy.flush()
        if process.wait(timeout=10) != 0:
            fail("the launcher did not end cleanly")
    finally:
        listener.close()
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
