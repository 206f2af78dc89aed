"""As a screensaver hack: the plant fills a window of another program, given
by -window-id (hexadecimal or decimal) or XSCREENSAVER_WINDOW, follows its
size, ends within half a second with status 0 on SIGTERM, and ends when
that window goes."""

import signal
import time
from collections import Counter

from xharness import BACKGROUND, DEPTH_COLOURS, Picture, Program, RawX, XServer, check, run_test

GREY = (0x40, 0x40, 0x40)  # the window's own background, before the plant covers it


def window_picture(server, window):
    return Picture(server.tool("import", "-window", hex(window), "-depth", "8", "ppm:-"))


def check_filled(server, window, size, how):
    picture = window_picture(server, window)
    check((picture.width, picture.height) == size, f"{how}: the window is {picture.width} x {picture.height}")
    colours = Counter(picture.pixel(x, y) for y in range(picture.height) for x in range(picture.width))
    check(colours.most_common(1)[0][0] == BACKGROUND, f"{how}: the window is not dark blue")
    check(colours[GREY] == 0, f"{how}: {colours[GREY]} pixels of the window are not covered")
    check(any(colours[colour] > 0 for colour in DEPTH_COLOURS), f"{how}: no plant in the window")


def body(path):
    with XServer() as server, RawX(server) as x:
        for how in ("hexadecimal", "decimal", "XSCREENSAVER_WINDOW"):
            window = x.create_window(50, 40, 320, 240, background=0x404040)
            args, env = {
                "hexadecimal": (("-window-id", hex(window)), {}),
                "decimal": (("--window-id", str(window)), {}),
                "XSCREENSAVER_WINDOW": (("-root",), {"XSCREENSAVER_WINDOW": hex(window)}),
            }[how]
            with Program(server, path, env, args) as program:
                time.sleep(1.5)
                check(program.process.poll() is None, f"{how}: ended at once\n{program.errors()}")
                check_filled(server, window, (320, 240), how)

                x.resize(window, 500, 300)
                time.sleep(1.0)
                check_filled(server, window, (500, 300), f"{how}, resized")

                if how == "decimal":
                    # The window goes: so does the hack.
                    x.destroy(window)
                    status = program.wait_exit(timeout=2.0)
                    check(status == 0, f"{how}: status {status} after its window went\n{program.errors()}")
                else:
                    program.process.send_signal(signal.SIGTERM)
                    status = program.wait_exit(timeout=0.5)
                    check(status == 0, f"{how}: status {status} half a second after SIGTERM\n{program.errors()}")
                    x.destroy(window)


run_test(body)
