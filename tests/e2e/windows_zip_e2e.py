#!/usr/bin/python3
"""Starts the Windows zip for users the way a user does, on a real X server (run it under
xvfb-run): unpacked into an empty folder, korvane.exe run by Wine in a fresh prefix that knows no
other DLLs, so everything the program loads must come from the zip. Waits for the main window,
checks its size, that the banner was drawn and that every file of the zip was loaded (so it
holds nothing more than needed), photographs the window, closes it through the close box and
checks that the program ends cleanly and leaves nothing running.

Usage: windows_zip_e2e.py ZIP SCREENSHOT
"""
import os
import signal
import subprocess
import sys
import tempfile
import time
import zipfile

from Xlib import X, display

from window_e2e import EXPECTED_SIZE, TWIPS_PER_PIXEL
from xwindow import close_and_wait, fail, find_window, photograph

TITLE = "Korvane 1.4 -> Join Game"
# The banner's place in the window, in pixels.
BANNER = (0, 360 // TWIPS_PER_PIXEL, 2280 // TWIPS_PER_PIXEL, 3495 // TWIPS_PER_PIXEL)
# A fresh prefix is made on the first start, which takes most of this.
START_TIMEOUT = 240


def colours_in(window, x, y, width, height):
    image = window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
    data = image.data
    return len({data[i:i + 3] for i in range(0, len(data), 4)})


def files_under(folder):
    return {os.path.join(root, name) for root, _, names in os.walk(folder) for name in names}


def mapped_files(pid):
    """The files a running process has mapped. Wine maps every DLL it loads from disk, and the
    process started as `wine korvane.exe` becomes the Windows process itself."""
    with open(f"/proc/{pid}/maps") as maps:
        return {fields[5].rstrip("\n") for fields in (line.split(None, 5) for line in maps)
                if len(fields) == 6 and fields[5].startswith("/")}


def main():
    zip_path, shot = sys.argv[1], sys.argv[2]
    if not os.path.isfile(zip_path):
        fail(f"no zip at {zip_path}: build it with the windows-zip target first")
    os.makedirs(os.path.dirname(shot), exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="korvane-zip-") as scratch:
        unpacked = os.path.join(scratch, "unpacked")
        with zipfile.ZipFile(zip_path) as archive:
            archive.extractall(unpacked)
        folder = os.path.join(unpacked, "korvane-1.4")
        program = os.path.join(folder, "korvane.exe")
        if not os.path.isfile(program):
            fail(f"the zip holds no korvane-1.4/korvane.exe: {sorted(os.listdir(unpacked))}")

        env = dict(os.environ, WINEPREFIX=os.path.join(scratch, "wineprefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", HOME=scratch)
        env.pop("WINEPATH", None)  # the zip alone must be enough
        started = time.monotonic()
        # Started from another folder: the DLLs and plugins are found beside the program.
        process = subprocess.Popen(["wine", program], cwd=scratch, env=env,
                                   start_new_session=True)
        dpy = display.Display()
        try:
            window = None
            while window is None and process.poll() is None and \
                    time.monotonic() - started < START_TIMEOUT:
                window = find_window(dpy, TITLE, timeout=1.0)
            if window is None:
                status = process.poll()
                fail(f"no window titled {TITLE!r} appeared" +
                     (f"; korvane.exe ended with status {status:#x}" if status is not None else ""))
            print(f"window shown {time.monotonic() - started:.1f} s after the start")
            geometry = window.get_geometry()
            if (geometry.width, geometry.height) != EXPECTED_SIZE:
                fail(f"window is {geometry.width}x{geometry.height}, expected "
                     f"{EXPECTED_SIZE[0]}x{EXPECTED_SIZE[1]}")
            time.sleep(1.0)  # let it paint before the picture is taken
            colours = colours_in(window, *BANNER)
            if colours < 100:
                fail(f"the banner shows {colours} colours: the banner was not drawn")
            photograph(window, shot)
            # Every file of the zip is loaded, so it holds nothing more than the program needs.
            shipped = files_under(folder)
            unused = shipped - mapped_files(process.pid)
            if unused:
                fail(f"korvane.exe did not load these files of the zip: {sorted(unused)}")

            close_and_wait(dpy, window, process, "korvane.exe", timeout=30)
            # The Wine server of the prefix ends once no Windows process is left in it.
            try:
                subprocess.run(["wineserver", "--wait"], env=env, timeout=60, check=True)
            except subprocess.TimeoutExpired:
                fail("Windows processes were still running in the prefix a minute later")
            print(f"banner drawn ({colours} colours), all {len(shipped)} files of the zip "
                  f"loaded, screenshot {shot}, closed by the close box: exit status 0, "
                  f"nothing left running")
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
            subprocess.run(["wineserver", "--kill"], env=env, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    main()
