"""The window opens at its template size; after a second the view shows the
plant in its six depth colours on dark blue, above a 78-pixel panel strip."""

import time
from collections import Counter

from xharness import BACKGROUND, DEPTH_COLOURS, PANEL_HEIGHT, Program, XServer, check, run_test


def body(path):
    with XServer() as server, Program(server, path) as program:
        program.wait_for_window()
        check(program.size() == (469, 418), f"the window is {program.size()}, not 469 x 418")
        time.sleep(1.0)
        picture = program.screenshot()

        # Right of the controls the strip is bare background up to the view.
        x, bottom = picture.width - 10, picture.height - 1
        strip = 0
        while strip < bottom and picture.pixel(x, bottom - strip) == picture.pixel(x, bottom):
            strip += 1
        check(strip == PANEL_HEIGHT, f"the panel strip is {strip} pixels high")

        # Faded trails leave many shades near the background, none as common.
        view = Counter(picture.view())
        check(view.most_common(1)[0][0] == BACKGROUND, "the view is not dark blue")
        for depth, colour in enumerate(DEPTH_COLOURS):
            check(view[colour] > 0, f"no pixel of depth {depth}'s colour")


run_test(body)
