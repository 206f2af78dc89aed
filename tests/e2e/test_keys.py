"""Keys typed into the window reach the slider. After End nothing fades: the
view keeps every plant pixel it had, and what changes takes plant colours.
After Home each frame starts afresh: only the plant of the moment is left, in
its exact colours, far fewer pixels than End kept."""

import time

from xharness import BACKGROUND, DEPTH_COLOURS, Program, XServer, check, run_test


def body(path):
    plant = set(DEPTH_COLOURS)
    with XServer() as server, Program(server, path) as program:
        program.wait_for_window()
        time.sleep(1.5)  # trails of the starting value

        program.press("End")
        time.sleep(1.0)
        before = program.screenshot().view(margin=2)
        time.sleep(0.5)
        after = program.screenshot().view(margin=2)
        changed = [(a, b) for a, b in zip(before, after) if a != b]
        check(all(b in plant for _, b in changed), "after End the picture still fades")
        kept = sum(1 for b in after if b != BACKGROUND)

        program.press("Home")
        time.sleep(0.5)
        left = [p for p in program.screenshot().view(margin=2) if p != BACKGROUND]
        check(all(p in plant for p in left), "after Home the plant still leaves trails")
        print(f"plant pixels kept after End {kept}, left after Home {len(left)}")
        check(kept > 2 * len(left), "after End the view keeps hardly more than after Home")


run_test(body)
