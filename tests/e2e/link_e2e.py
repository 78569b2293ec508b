#!/usr/bin/python3
"""Join links between two real launchers on a real X server (run it under xvfb-run).

A first launcher runs, covered by another window. A hostile link given to a second launcher is
refused there (status 2) and changes nothing; a good link is handed over: the second program
ends with 0, the first window comes to the front, and nothing starts until the focused
"Launch ===>" is pressed, which joins the linked address. A plain second launcher still opens a
window of its own. Each launcher has its own session bus; they share a private HOME and
XDG_RUNTIME_DIR, as one user's programs do.

Usage: link_e2e.py KORVANE_BINARY
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from window_e2e import press  # noqa: E402
from xwindow import SESSION_BUS, close_and_wait, fail, find_window, window_title  # noqa: E402

TITLE = "Korvane 1.4 -> Join Game"


def top_level(dpy, window):
    """The child of the root window that holds window."""
    root = dpy.screen().root
    while True:
        parent = window.query_tree().parent
        if parent == root:
            return window
        window = parent


def on_top(dpy, window):
    return dpy.screen().root.query_tree().children[-1].id == window.id


def cover(dpy, window):
    """A plain window over the launcher's, as another program's would be."""
    geometry = window.get_geometry()
    origin = window.translate_coords(dpy.screen().root, 0, 0)
    other = dpy.screen().root.create_window(-origin.x, -origin.y, geometry.width,
                                            geometry.height, 0, dpy.screen().root_depth)
    other.map()
    other.configure(stack_mode=X.Above)
    dpy.sync()
    return other


def launcher(binary, *arguments):
    return [*SESSION_BUS, binary, *arguments]


def main():
    binary = sys.argv[1]
    home = tempfile.mkdtemp(prefix="korvane-link-")
    runtime = os.path.join(home, "run")
    os.mkdir(runtime, 0o700)
    game = os.path.join(home, "game")
    os.makedirs(game)
    open(os.path.join(game, "brix2.exe"), "w").close()
    bin_dir, log = os.path.join(home, "bin"), os.path.join(home, "wine.log")
    os.makedirs(bin_dir)
    with open(os.path.join(bin_dir, "wine"), "w") as wine:
        wine.write('#!/bin/sh\n{ for a in "$@"; do printf "%s\\n" "$a"; done; } > "$0.tmp"\n'
                   f'mv "$0.tmp" "{log}"\n')
    os.chmod(os.path.join(bin_dir, "wine"), 0o755)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=runtime, SDL_AUDIODRIVER="dummy",
               PATH=bin_dir + os.pathsep + os.environ["PATH"])
    env.pop("QT_QPA_PLATFORM", None)

    first = subprocess.Popen(launcher(binary), env=env, cwd=game, start_new_session=True)
    third = None
    dpy = display.Display()
    try:
        window = find_window(dpy, TITLE)
        if window is None:
            fail(f"no window titled '{TITLE}' appeared")
        window = top_level(dpy, window)
        deadline = time.monotonic() + 5
        while not os.path.exists(os.path.join(runtime, "korvane-links")):
            if time.monotonic() > deadline:
                fail("the first launcher does not answer links")
            time.sleep(0.05)
        other = cover(dpy, window)

        refused = subprocess.run(launcher(binary, "brix2://192.0.2.7/?x=-server"), env=env,
                                 cwd=game, capture_output=True, text=True, timeout=20)
        if refused.returncode != 2 or "join link is refused" not in refused.stderr:
            fail(f"a hostile link ended with {refused.returncode}: {refused.stderr!r}")
        time.sleep(0.5)
        if on_top(dpy, window):
            fail("a refused link brought the window to the front")

        start = time.monotonic()
        handed = subprocess.run(launcher(binary, "brix2://192.0.2.7:10054"), env=env,
                                cwd=game, capture_output=True, text=True, timeout=20)
        if handed.returncode != 0:
            fail(f"the hand-over ended with {handed.returncode}: {handed.stderr!r}")
        while not on_top(dpy, window):
            if time.monotonic() - start > 5:
                fail("the running window did not come to the front")
            time.sleep(0.005)
        print(f"the running window came to the front {1000 * (time.monotonic() - start):.0f} ms "
              "after the second launcher started (its own session bus included)")
        if window_title(dpy, find_window(dpy, TITLE)) != TITLE:
            fail("the window is not on Join Game")
        time.sleep(0.3)
        if os.path.exists(log):
            fail("the link started the game by itself")

        press(dpy, ["space"])  # "Launch ===>" has the focus
        deadline = time.monotonic() + 5
        while not os.path.exists(log):
            if time.monotonic() > deadline:
                fail("Launch on the linked server started nothing")
            time.sleep(0.05)
        with open(log) as started:
            lines = started.read().splitlines()
        print("the fake wine received: " + " | ".join(lines))
        if len(lines) != 3 or not lines[0].endswith("brix2.exe") or lines[1:] != ["-connect",
                                                                                   "192.0.2.7"]:
            fail("expected brix2.exe -connect 192.0.2.7")

        other.destroy()
        dpy.sync()
        third = subprocess.Popen(launcher(binary), env=env, cwd=game, start_new_session=True)
        deadline = time.monotonic() + 10
        while True:
            windows = [w for w in dpy.screen().root.query_tree().children
                       if w.get_attributes().map_state == X.IsViewable
                       and any(window_title(dpy, c) == TITLE
                               for c in [w] + list(w.query_tree().children))]
            if len(windows) == 2:
                break
            if time.monotonic() > deadline:
                fail("a plain second launcher opened no window of its own")
            time.sleep(0.05)
        second_window = next(w for w in windows if w.id != window.id)
        close_and_wait(dpy, second_window, third, "the plain second launcher", 10)
        close_and_wait(dpy, window, first, "the first launcher", 10)
        print("a link reached the running launcher and waited for Launch")
    finally:
        for process in (first, third):
            if process is not None and process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
