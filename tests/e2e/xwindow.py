"""What the end-to-end tests do with a program's window on an X server: find it by its title,
photograph it, and close it the way a window manager's close box does."""
import os
import subprocess
import sys
import time

from Xlib import X, protocol

# The launcher's own session bus, one that starts no services, so that what the machine has
# installed (AT-SPI, a notification daemon) does not change a result.
SESSION_BUS = ["dbus-run-session", "--config-file=" + os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "support", "session-bus.conf"), "--"]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def window_title(dpy, window):
    name = window.get_full_property(dpy.intern_atom("_NET_WM_NAME"),
                                    dpy.intern_atom("UTF8_STRING"))
    return name.value.decode("utf-8") if name else ""


def find_window(dpy, title, timeout=10.0):
    """The viewable window with this title, or None when none shows up within the timeout."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        stack = [dpy.screen().root]
        while stack:
            window = stack.pop()
            try:
                name = window_title(dpy, window)
                attributes = window.get_attributes()
                children = window.query_tree().children
            except Exception:
                continue  # the window went away while we looked
            if name == title and attributes.map_state == X.IsViewable:
                return window
            stack.extend(children)
        time.sleep(0.05)
    return None


def photograph(window, path):
    subprocess.run(["import", "-window", str(window.id), path], check=True)


def close_window(dpy, window):
    message = protocol.event.ClientMessage(
        window=window, client_type=dpy.intern_atom("WM_PROTOCOLS"),
        data=(32, [dpy.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
    window.send_event(message)
    dpy.flush()


def close_and_wait(dpy, window, process, who, timeout):
    """Closes the window as a close box does and fails unless the process then ends cleanly."""
    close_window(dpy, window)
    try:
        status = process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        fail(f"{who} did not end after its window was closed")
    if status != 0:
        fail(f"{who} ended with status {status}")
