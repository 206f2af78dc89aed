"""Runs Quillbrook on a private Xvfb display, so tests can run side by side,
and drives it as a user would. There is no window manager: where a test needs
one (minimising, the close box), RawX sends the requests a manager would."""

import os
import random
import select
import shutil
import subprocess
import sys
import tempfile
import time

import Xlib.error
from Xlib import X, Xutil, display
from Xlib.protocol import event

BACKGROUND = (0x00, 0x00, 0x80)
# The plant's six depth colours, trunk to tips.
DEPTH_COLOURS = [(0xFF, 0x80, 0x00), (0xFF, 0x99, 0x33), (0xFF, 0xB2, 0x66),
                 (0xFF, 0xCC, 0x99), (0xFF, 0xE5, 0xCC), (0xFF, 0xFF, 0xFF)]
PANEL_HEIGHT = 78
# What each sanitizer writes first when it finds a fault.
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: UndefinedBehaviorSanitizer", "runtime error:",
                   "WARNING: ThreadSanitizer", "ERROR: ThreadSanitizer")
LEAK_MARK = "ERROR: LeakSanitizer"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


X_TOOLS = ("Xvfb", "xdotool", "xwininfo", "import")


def run_test(body, tools=X_TOOLS):
    """Runs body(paths given on the command line, the program's first); a
    failure prints its message and exits 1."""
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        sys.exit(f"missing {', '.join(missing)}: scripts/setup.sh installs them")
    try:
        body(*sys.argv[1:])
    except Failure as failure:
        sys.exit(f"FAILED: {failure}")
    print("passed")


def random_seed(variable="QUILLBROOK_E2E_SEED"):
    """A random seed, printed, or the one `variable` gives to repeat a run."""
    seed = int(os.environ.get(variable, random.randrange(1 << 32)))
    print(f"seed {seed} (set {variable}={seed} to repeat this run)", flush=True)
    return seed


def sanitizer_report(errors, leaks=True):
    """A program's error output from its first sanitizer report on, or ''.
    With leaks=False a LeakSanitizer report alone does not count."""
    marks = SANITIZER_MARKS + ((LEAK_MARK,) if leaks else ())
    lines = errors.splitlines()
    for number, line in enumerate(lines):
        if any(mark in line for mark in marks):
            return "\n".join(lines[number:])
    return ""


def private_runtime():
    """A runtime folder (XDG_RUNTIME_DIR) only its owner can enter, as a
    display server and its clients expect."""
    runtime = tempfile.TemporaryDirectory()
    os.chmod(runtime.name, 0o700)
    return runtime


class XServer:
    def __init__(self, screen="1280x1024x24", options=("-nolisten", "tcp")):
        """`screen` is the first screen's size; "-screen 1 WxHxD" after it adds another.
        `options` go to Xvfb as they stand.

        The display number is drawn at random rather than the lowest free one:
        a server of a test running beside this one that has just ended may
        still be removing its socket, which would be this server's socket if
        they shared the number."""
        for _ in range(20):
            number = str(random.randrange(100, 30000))
            read_end, write_end = os.pipe()
            self._xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", *screen.split(), *options],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as reader:
                self.number = reader.readline().strip()
            if self.number == number:
                break
            self._xvfb.wait()  # the number was taken: another one
        check(self.number.isdigit(), "Xvfb did not start")
        self._runtime = private_runtime()
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(DISPLAY=f":{self.number}", XDG_RUNTIME_DIR=self._runtime.name)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self._xvfb.terminate()
        self._xvfb.wait(timeout=10)
        self._runtime.cleanup()

    def tool(self, *command, check_status=True):
        result = subprocess.run(command, env=self.env, capture_output=True, timeout=20)
        check(result.returncode == 0 or not check_status,
              f"{' '.join(command)}: {result.stderr.decode(errors='replace').strip()}")
        return result.stdout


class Picture:
    def __init__(self, ppm):
        magic, width, height, maximum, self.pixels = ppm.split(maxsplit=4)
        check(magic == b"P6" and maximum == b"255", "import gave no 8-bit PPM picture")
        self.width, self.height = int(width), int(height)

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def view(self, margin=0):
        """The pixels above the panel strip, `margin` pixels in from its edges."""
        return [self.pixel(x, y) for y in range(margin, self.height - PANEL_HEIGHT - margin)
                for x in range(margin, self.width - margin)]


def png_picture(path):
    """The PNG file at `path` as a Picture."""
    return Picture(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True,
                                  timeout=20).stdout)


class Program:
    def __init__(self, server, path, env=None, args=(), stdout=subprocess.DEVNULL):
        self.server = server
        self._stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen([path, *args], env={**server.env, **(env or {})}, stdout=stdout,
                                        stderr=self._stderr)
        self.window = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self._stderr.close()

    def wait_for_window(self, timeout=10.0, name="^Quillbrook$"):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            check(self.process.poll() is None,
                  f"the program ended at once ({self.process.returncode})\n{self.errors()}")
            found = self.server.tool("xdotool", "search", "--onlyvisible", "--name", name,
                                     check_status=False).split()
            if found:
                self.window = found[0].decode()
                return self.window
            time.sleep(0.05)
        raise Failure(f"no window named {name} within {timeout} s")

    def size(self):
        info = self.server.tool("xwininfo", "-id", self.window).decode()
        fields = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
        return int(fields["Width"]), int(fields["Height"])

    def screenshot(self, window=None):
        return Picture(self.server.tool("import", "-window", window or self.window, "-depth", "8", "ppm:-"))

    def press(self, key):
        self.server.tool("xdotool", "windowfocus", "--sync", self.window)
        self.server.tool("xdotool", "key", key)

    def wait_exit(self, timeout):
        """The exit status, or None if it is still running after `timeout` s."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def errors(self):
        self._stderr.seek(0)
        return self._stderr.read().decode(errors="replace")


class RawX:
    """A bare X11 connection for the few requests a window manager would make."""

    def __init__(self, server):
        try:
            self._display = display.Display(f":{server.number}")
        except Xlib.error.DisplayError as error:
            raise Failure(f"the X server refused the connection: {error}") from error
        self._errors = []
        self._display.set_error_handler(lambda error, request: self._errors.append(error))
        self._root = self._display.screen().root
        self._watching_root = False
        self._pings = 0

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self._display.close()

    def _window(self, window):
        return self._display.create_resource_object("window", int(window))

    def _check_errors(self):
        errors, self._errors = self._errors, []
        check(not errors, f"X error: {errors[0] if errors else ''}")

    def _sync(self):
        self._display.sync()  # a round trip: every error of what came before is in
        self._check_errors()

    def _atom(self, name):
        return self._display.intern_atom(name)

    def _set_wm_state(self, window, state):
        wm_state = self._atom("WM_STATE")
        self._window(window).change_property(wm_state, wm_state, 32, [state, 0])

    def _send_protocol(self, window, protocol, *data):
        """A WM_PROTOCOLS message to `window`, as a window manager sends it."""
        message = event.ClientMessage(window=self._window(window), client_type=self._atom("WM_PROTOCOLS"),
                                      data=(32, [self._atom(protocol), *data, 0, 0, 0, 0][:5]))
        self._window(window).send_event(message, event_mask=0, propagate=False)

    def minimise(self, window):
        """As a window manager minimises: WM_STATE Iconic, then unmapped."""
        self._set_wm_state(window, Xutil.IconicState)
        self._window(window).unmap()
        self._sync()

    def restore(self, window):
        """As a window manager restores a minimised window: WM_STATE Normal, then mapped."""
        self._set_wm_state(window, Xutil.NormalState)
        self._window(window).map()
        self._sync()

    def ping(self, window, timeout):
        """Whether the program's user-interface thread answers a _NET_WM_PING
        within `timeout` s. Qt answers it from its event loop, after every
        event that came before, so an answer also means it has caught up."""
        protocols, ping = self._atom("WM_PROTOCOLS"), self._atom("_NET_WM_PING")
        if not self._watching_root:
            # The answer goes to the root window, to whoever watches it (Qt 6.4)
            # or its children (later Qt).
            self._root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
            self._watching_root = True
        self._pings += 1
        self._send_protocol(window, "_NET_WM_PING", self._pings, int(window))
        self._display.flush()
        deadline = time.monotonic() + timeout
        while True:
            while self._display.pending_events():
                answer = self._display.next_event()
                if (answer.type == X.ClientMessage and answer.window.id == self._root.id
                        and answer.client_type == protocols and list(answer.data[1][:2]) == [ping, self._pings]):
                    return True
            self._check_errors()
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            select.select([self._display], [], [], left)

    def create_window(self, x, y, width, height, background=0x404040):
        """A plain mapped window of this connection's own, as another program
        (a screensaver daemon) would give a hack to draw in; its id."""
        window = self._root.create_window(x, y, width, height, 0, X.CopyFromParent, X.InputOutput,
                                          X.CopyFromParent, background_pixel=background)
        window.map()
        self._sync()
        return window.id

    def resize(self, window, width, height):
        self._window(window).configure(width=width, height=height)
        self._sync()

    def destroy(self, window):
        self._window(window).destroy()
        self._sync()

    def press_close_box(self, window):
        """WM_DELETE_WINDOW through WM_PROTOCOLS, as the close box sends it."""
        self._send_protocol(window, "WM_DELETE_WINDOW")
        self._sync()
