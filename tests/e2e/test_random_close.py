"""Thirty starts, each ended at a random moment while drawing, while being
resized or while minimised, by Escape, Enter or the close box. Each run must
end promptly, with status 0 and nothing on its error output.
QUILLBROOK_E2E_SEED repeats a run."""

import os
import random
import threading
import time

from xharness import Program, RawX, XServer, check, run_test


def resize_until(server, window, rng, done):
    while not done.is_set():
        # The window may be gone already: that is the point.
        server.tool("xdotool", "windowsize", window, str(rng.randint(1, 900)),
                    str(rng.randint(1, 700)), check_status=False)


def one_run(server, raw, path, rng):
    moment = rng.choice(["drawing", "resizing", "minimised"])
    # A minimised window has no keyboard focus; its close box still works.
    how = "close box" if moment == "minimised" else rng.choice(["Escape", "Return", "close box"])
    delay = rng.choice([0.0, rng.uniform(0.0, 0.2), rng.uniform(0.2, 1.2)])
    label = f"{moment}, {how} after {delay:.2f} s"
    print(label, flush=True)
    with Program(server, path) as program:
        program.wait_for_window()
        done = threading.Event()
        resizer = threading.Thread(target=resize_until,
                                   args=(server, program.window, random.Random(rng.random()), done))
        if moment == "resizing":
            resizer.start()
        elif moment == "minimised":
            raw.minimise(program.window)
        time.sleep(delay)
        if how == "close box":
            raw.press_close_box(program.window)
        else:
            program.press(how)
        status = program.wait_exit(timeout=3.0)
        done.set()
        if resizer.is_alive():
            resizer.join()
        check(status == 0 and program.errors() == "",
              f"{label}: exit status {status}\n{program.errors()}")


def body(path):
    seed = int(os.environ.get("QUILLBROOK_E2E_SEED", random.randrange(1 << 32)))
    print(f"seed {seed}")
    rng = random.Random(seed)
    with XServer() as server, RawX(server) as raw:
        for _ in range(30):
            one_run(server, raw, path, rng)


run_test(body)
