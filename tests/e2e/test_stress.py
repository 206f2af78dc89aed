"""While the plant animates, the window is resized 500 times to random sizes
from 1 x 1 to 4000 x 4000, keys move the slider, and now and then it is
minimised, resized while minimised, and restored. After every batch the
program must still be running, answer through its event loop, and have
written no sanitizer report; Escape then ends it with status 0.
QUILLBROOK_E2E_SEED repeats a run."""

import random
import time

from xharness import PANEL_HEIGHT, Program, RawX, XServer, check, random_seed, run_test, sanitizer_report

RESIZES = 500
BATCH = 10
CYCLES = 5
LARGEST = 4000
SLIDER_KEYS = ["Left", "Right", "Up", "Down", "Page_Up", "Page_Down", "Home", "End"]
# Long enough for a sanitizer build catching up on 4000 x 4000 frames on a
# busy machine; a program that stops answering for this long has hung.
ANSWER_TIMEOUT = 60.0


def side(rng):
    # Uniform sides would seldom give the awkward ones: a single pixel, a
    # window no higher than the panel strip (a view with no height), the largest.
    roll = rng.random()
    if roll < 0.15:
        return rng.choice([1, 2, PANEL_HEIGHT - 1, PANEL_HEIGHT, PANEL_HEIGHT + 1, LARGEST])
    if roll < 0.35:
        return rng.randint(1, 120)
    return rng.randint(1, LARGEST)


def check_running(program, what):
    status = program.process.poll()
    report = sanitizer_report(program.errors())
    check(status is None and not report, f"{what}: exit status {status}\n{report or program.errors()}")


def check_alive(program, raw, what):
    check_running(program, what)
    check(raw.ping(program.window, ANSWER_TIMEOUT),
          f"{what}: no answer for {ANSWER_TIMEOUT:.0f} s, the user-interface thread is stuck")


def body(path):
    rng = random.Random(random_seed())
    batches = RESIZES // BATCH
    minimised_batches = set(rng.sample(range(1, batches - 1), CYCLES))
    resizes = cycles = 0
    started = time.monotonic()
    with XServer(screen="4096x4096x24") as server, RawX(server) as raw, Program(server, path) as program:
        program.wait_for_window()
        window = program.window
        try:
            for batch in range(batches):
                minimised = batch in minimised_batches
                if minimised:
                    raw.minimise(window)
                command = ["xdotool"]
                for _ in range(BATCH):
                    command += ["windowsize", window, str(side(rng)), str(side(rng)), "sleep", "0.05"]
                if not minimised:  # a minimised window cannot take the focus
                    command += ["windowfocus", window]
                    for _ in range(rng.randint(1, 4)):
                        command += ["key", rng.choice(SLIDER_KEYS)]
                what = f"after {resizes + BATCH} resizes and {cycles + minimised} minimise/restore cycles"
                try:
                    server.tool(*command)
                except Exception:
                    check_running(program, what)  # a window gone with its program says more
                    raise
                if minimised:
                    raw.restore(window)
                check_alive(program, raw, what)
                resizes += BATCH
                cycles += minimised
        finally:
            print(f"survived {resizes} resizes and {cycles} minimise/restore cycles "
                  f"in {time.monotonic() - started:.1f} s", flush=True)

        server.tool("xdotool", "windowfocus", window, "key", "Escape")
        status = program.wait_exit(timeout=ANSWER_TIMEOUT)
        report = sanitizer_report(program.errors())
        check(status == 0 and not report, f"after Escape: exit status {status}\n{report or program.errors()}")
        if program.errors():
            print(f"error output, no sanitizer report in it:\n{program.errors()}")


run_test(body)
