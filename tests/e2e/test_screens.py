"""On an X server of two screens: --all-screens shows a plant of its own full
screen on each, --screen 1 --fullscreen opens on the second, and a screen
that is not there is refused with status 2."""

import subprocess
import time
from collections import Counter

from xharness import BACKGROUND, DEPTH_COLOURS, Picture, Program, XServer, check, run_test

SCREENS = [(800, 600), (640, 480)]


def screen_of(server, number):
    env = dict(server.env, DISPLAY=f":{server.number}.{number}")
    shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env, capture_output=True,
                          timeout=20, check=True)
    return Picture(shot.stdout)


def plants(picture):
    """Whether the screen shows a plant filling it: dark blue, with the depth
    colours, and no other window's grey above a panel strip's height."""
    colours = Counter(picture.pixel(x, y) for y in range(0, picture.height - 100, 2)
                      for x in range(0, picture.width, 2))
    return colours.most_common(1)[0][0] == BACKGROUND and any(colours[c] > 0 for c in DEPTH_COLOURS)


def body(path):
    layout = " -screen 1 ".join(f"{w}x{h}x24" for w, h in SCREENS)
    with XServer(screen=layout) as server:
        with Program(server, path, args=("--all-screens",)) as program:
            time.sleep(2.0)
            check(program.process.poll() is None, f"--all-screens ended at once\n{program.errors()}")
            for number, size in enumerate(SCREENS):
                picture = screen_of(server, number)
                check((picture.width, picture.height) == size, f"screen {number} is not {size}")
                check(plants(picture), f"--all-screens: no full-screen plant on screen {number}")

        with Program(server, path, args=("--screen", "1", "--fullscreen")) as program:
            time.sleep(2.0)
            check(plants(screen_of(server, 1)), "--screen 1 --fullscreen: no plant filling the second screen")
            check(not plants(screen_of(server, 0)), "--screen 1 --fullscreen: a plant on the first screen")

        with Program(server, path, args=("--screen", "2")) as program:
            status = program.wait_exit(timeout=10)
            check(status == 2, f"--screen 2 of two gave status {status}")
            check("--screen" in program.errors(), f"--screen 2: the refusal does not name it\n{program.errors()}")


run_test(body)
