#!/usr/bin/python3
"""Runs the Windows installer as a player's machine would, under Wine in a fresh prefix on a real
X server (run it under xvfb-run): a silent install must put every file of the zip in place, make
the Start-menu entry and the uninstall key, and ask for no administrator rights; the installed
korvane.exe must show its window; a silent uninstall must take all of that away again and leave
the player's settings alone.

Usage: windows_installer_e2e.py SETUP_EXE ZIP
"""
import os
import signal
import subprocess
import sys
import tempfile
import time
import zipfile

from Xlib import display

from windows_zip_e2e import START_TIMEOUT, TITLE
from xwindow import close_and_wait, fail, find_window

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane"
SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\Korvane 1.4\Settings"
RECORDS_KEY = r"HKCU\Software\Korvane"  # favourites and history
LINK_COMMAND_KEY = r"HKCU\Software\Classes\brix2\shell\open\command"


def wine(env, *arguments, check=True):
    """Runs a Windows program and waits until every process it started in the prefix has ended
    (an NSIS uninstaller copies itself away and goes on after the first process ends)."""
    result = subprocess.run(["wine", *arguments], env=env, capture_output=True, text=True,
                            timeout=START_TIMEOUT)
    subprocess.run(["wineserver", "--wait"], env=env, timeout=START_TIMEOUT)
    if check and result.returncode != 0:
        fail(f"wine {' '.join(arguments)} ended with status {result.returncode}: {result.stderr}")
    return result


def unix_path(env, variable, *parts):
    """Where a Windows folder such as %LOCALAPPDATA% of this prefix lies on Linux."""
    windows = wine(env, "cmd", "/c", f"echo %{variable}%").stdout.strip()
    unix = subprocess.run(["winepath", "-u", windows], env=env, capture_output=True, text=True,
                          check=True).stdout.strip()
    return os.path.join(unix, *parts)


def key_exists(env, key, value=None):
    query = ["reg", "query", key] + (["/v", value] if value else [])
    return wine(env, *query, check=False).returncode == 0


def main():
    setup, zip_path = sys.argv[1], sys.argv[2]
    for path in (setup, zip_path):
        if not os.path.isfile(path):
            fail(f"no {path}: build it with the windows-installer target first")
    with open(setup, "rb") as file:
        if b'level="asInvoker"' not in file.read():
            fail("the installer's manifest asks for more than the user's own rights")

    with tempfile.TemporaryDirectory(prefix="korvane-setup-") as scratch:
        env = dict(os.environ, WINEPREFIX=os.path.join(scratch, "wineprefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", HOME=scratch)
        env.pop("WINEPATH", None)
        started = time.monotonic()
        wine(env, setup, "/S")
        print(f"silent install took {time.monotonic() - started:.1f} s (with a new prefix)")

        folder = unix_path(env, "LOCALAPPDATA", "Programs", "Korvane")
        shortcut = unix_path(env, "APPDATA", "Microsoft", "Windows", "Start Menu", "Programs",
                             "Korvane.lnk")
        with zipfile.ZipFile(zip_path) as archive:
            shipped = {name.split("/", 1)[1]: archive.read(name)
                       for name in archive.namelist() if not name.endswith("/")}
        for name, data in sorted(shipped.items()):
            installed = os.path.join(folder, name)
            if not os.path.isfile(installed):
                fail(f"the install folder lacks {name}")
            with open(installed, "rb") as file:
                if file.read() != data:
                    fail(f"{name} in the install folder differs from the zip's")
        if not os.path.isfile(shortcut):
            fail(f"no Start-menu shortcut at {shortcut}")
        with open(shortcut, "rb") as file:
            link = file.read().lower()
            if b"korvane.exe" not in link and "korvane.exe".encode("utf-16-le") not in link:
                fail("the Start-menu shortcut does not point at korvane.exe")
        if not key_exists(env, UNINSTALL_KEY, "UninstallString"):
            fail(f"no UninstallString under {UNINSTALL_KEY}")
        command = wine(env, "reg", "query", LINK_COMMAND_KEY, "/ve", check=False)
        if command.returncode != 0 or "programs\\korvane\\korvane.exe" not in command.stdout.lower():
            fail(f"brix2: links are not handed to the installed korvane.exe: {command.stdout!r}")
        print(f"installed: all {len(shipped)} files of the zip, the Start-menu shortcut, "
              f"the uninstall key and the brix2: link handler")

        # The installed program, started from its folder, shows its window and ends cleanly.
        process = subprocess.Popen(["wine", os.path.join(folder, "korvane.exe")], cwd=folder,
                                   env=env, start_new_session=True)
        try:
            dpy = display.Display()
            window = None
            while window is None and process.poll() is None and \
                    time.monotonic() - started < START_TIMEOUT:
                window = find_window(dpy, TITLE, timeout=1.0)
            if window is None:
                fail(f"the installed korvane.exe showed no window titled {TITLE!r}")
            close_and_wait(dpy, window, process, "korvane.exe", timeout=30)
            subprocess.run(["wineserver", "--wait"], env=env, timeout=60)
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
        print("the installed korvane.exe showed its window and ended through its close box")

        wine(env, "reg", "add", SETTINGS_KEY, "/v", "Alias", "/d", "Keeper", "/f")
        wine(env, "reg", "add", RECORDS_KEY, "/v", "Servers", "/d", "{}", "/f")
        wine(env, os.path.join(folder, "uninstall.exe"), "/S")
        left = [os.path.join(root, name) for root, _, names in os.walk(folder) for name in names]
        if os.path.exists(folder):
            fail(f"the uninstaller left the install folder behind, holding {left}")
        if os.path.exists(shortcut):
            fail("the uninstaller left the Start-menu shortcut")
        if key_exists(env, UNINSTALL_KEY):
            fail(f"the uninstaller left {UNINSTALL_KEY}")
        if key_exists(env, r"HKCU\Software\Classes\brix2"):
            fail("the uninstaller left the brix2: link handler")
        if not key_exists(env, SETTINGS_KEY, "Alias") or not key_exists(env, RECORDS_KEY, "Servers"):
            fail("the uninstaller removed the player's saved settings or favourites")
        subprocess.run(["wineserver", "--kill"], env=env, stderr=subprocess.DEVNULL)
        print("uninstalled: files, shortcut, uninstall key and link handler gone; saved settings "
              "and favourites kept")


if __name__ == "__main__":
    main()
