"""How the picture reaches the screen: from memory shared with the X server
where it can be, through Qt where it cannot be or where QUILLBROOK_PRESENT=qt
asks for it. Either way the view shows exactly the picture the program holds,
the one Ctrl+S saves (which in turn is quillbrook-render's for its seed and
frame count); a way that cannot be had, or that the server stops taking, is
said once, and Qt's is taken."""

import glob
import os
import re
import tempfile
import time

from xharness import Program, RawX, XServer, check, png_picture, random_seed, run_test

LOCAL = "local"
OVER_TCP = "tcp"


def destroy_surface(server, program):
    """Destroys the window the picture is put on, as another client could:
    the server then refuses the puts."""
    tree = server.tool("xwininfo", "-id", program.window, "-tree").decode()
    # The view's picture: the window inside its one-pixel edge.
    surfaces = re.findall(r"^\s+(0x[0-9a-f]+) .* \d+x\d+\+1\+1 ", tree, re.M)
    check(len(surfaces) == 1, f"no one window for the picture in\n{tree}")
    with RawX(server) as raw:
        raw.destroy(int(surfaces[0], 16))


# name, Xvfb's options, how the program reaches the display, QUILLBROOK_PRESENT,
# what it says on standard error (empty: nothing), what happens while it runs.
CASES = [
    ("shared memory", ("-nolisten", "tcp"), LOCAL, "direct", "", None),
    ("Qt, as asked", ("-nolisten", "tcp"), LOCAL, "qt", "", None),
    ("no MIT-SHM", ("-nolisten", "tcp", "-extension", "MIT-SHM"), LOCAL, "direct", "the X server has no MIT-SHM",
     None),
    ("a display on another machine", ("-listen", "tcp"), OVER_TCP, "direct", "the X display is not on this machine",
     None),
    ("refused while running", ("-nolisten", "tcp"), LOCAL, "direct", "showing the picture through Qt from now on",
     destroy_surface),
]


def saved_picture(server, home):
    """The PNG that Ctrl+S saved, as a Picture."""
    deadline = time.monotonic() + 10
    while not (saved := glob.glob(os.path.join(home, "Pictures", "*.png"))) and time.monotonic() < deadline:
        time.sleep(0.05)
    check(len(saved) == 1, f"Ctrl+S saved {saved}")
    return png_picture(saved[0])


def shown_as_saved(path, case, seed):
    name, options, reach, present, said, interfere = case
    with tempfile.TemporaryDirectory() as home, XServer(options=options) as server:
        if reach == OVER_TCP:
            server.env["DISPLAY"] = f"127.0.0.1:{server.number}"
        env = {"QUILLBROOK_PRESENT": present, "HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config")}
        with Program(server, path, env, args=("--seed", str(seed))) as program:
            program.wait_for_window()
            time.sleep(0.5)
            if interfere:
                interfere(server, program)
            time.sleep(0.5)
            program.press("space")
            time.sleep(0.5)  # the last frame on its way to the screen
            shown = program.screenshot()
            program.press("ctrl+s")
            saved = saved_picture(server, home)
            # The picture sits inside the view's edge, as wide on every side.
            edge = (shown.width - saved.width) // 2
            check(edge > 0 and saved.height < shown.height, f"{name}: a {saved.width}x{saved.height} picture "
                  f"in a {shown.width}x{shown.height} window")
            differ = sum(shown.pixel(x + edge, y + edge) != saved.pixel(x, y)
                         for y in range(saved.height) for x in range(saved.width))
            check(differ == 0, f"{name}: {differ} pixels on screen differ from the picture saved (seed {seed})")
            errors = program.errors()
            lines = [line for line in errors.splitlines() if line.startswith("quillbrook:")]
            check(len(lines) == 1 and said in lines[0] if said else not lines, f"{name}: said\n{errors}")


def body(path):
    seed = random_seed() - (1 << 31)  # the program's seeds are 32-bit signed
    for case in CASES:
        shown_as_saved(path, case, seed)


run_test(body)
