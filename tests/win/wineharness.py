"""Runs the Windows programs under wine on a private Xvfb display (see
tests/e2e/xharness.py). The wine prefix is the one WINEPREFIX names, made
fresh for each run by scripts/test-windows.sh; each program gets a wine
session of its own on its own display, ended with it."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xharness import BACKGROUND, DEPTH_COLOURS, Failure, Picture, Program, XServer, check, png_picture  # noqa: E402,F401


def wine_env(server):
    return {**server.env, "WINEDEBUG": "-all"}


SESSION = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine-session.sh")


def restart_wine(server, on_display):
    """Ends every program of the prefix and its server, waits for that, and
    starts a fresh session (see wine-session.sh): on the server's display for
    a program to show windows on, or on none for the tests that follow."""
    subprocess.run(["wineserver", "-k"], env=wine_env(server), capture_output=True, timeout=30)
    subprocess.run(["wineserver", "-w"], env=wine_env(server), capture_output=True, timeout=30)
    environment = wine_env(server) if on_display else {k: v for k, v in wine_env(server).items() if k != "DISPLAY"}
    subprocess.run(["bash", SESSION], env=environment, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=120, check=True)


def end_wine(server):
    restart_wine(server, on_display=False)


class WineProgram(Program):
    """A Windows program under wine, its standard output kept line by line."""

    def __init__(self, server, path, *args):
        restart_wine(server, on_display=True)
        self._out = tempfile.TemporaryFile()
        super().__init__(server, "wine", env={"WINEDEBUG": "-all"}, args=(path, *args), stdout=self._out)

    def __exit__(self, *exception):
        super().__exit__(*exception)
        end_wine(self.server)
        self._out.close()

    def lines(self):
        self._out.seek(0)
        return self._out.read().decode("utf-8", errors="replace").replace("\r", "").splitlines()

    def wait_for_line(self, prefix, timeout=20.0, count=1):
        """The `count`-th line that starts with `prefix`, waiting for it."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = [line for line in self.lines() if line.startswith(prefix)]
            if len(found) >= count:
                return found[count - 1]
            check(self.process.poll() is None,
                  f"the program ended ({self.process.returncode}) before saying '{prefix}'\n{self.errors()}")
            time.sleep(0.05)
        raise Failure(f"no line '{prefix}' within {timeout} s; said: {self.lines()}")

    def wait_for_window(self, timeout=30.0, name="^Quillbrook$"):
        # Wine's first window of a prefix can take a while.
        return super().wait_for_window(timeout, name)


def plant_over_background(pixels):
    """Whether `pixels` show the plant on the dark blue ground: mostly
    background, with trunk orange and tip white among them."""
    background = sum(1 for p in pixels if p == BACKGROUND)
    colours = set(pixels)
    return background > len(pixels) // 4 and DEPTH_COLOURS[0] in colours and DEPTH_COLOURS[-1] in colours


def run_test(body):
    try:
        body(*sys.argv[1:])
    except Failure as failure:
        sys.exit(f"FAILED: {failure}")
    print("passed")
