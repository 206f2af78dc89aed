"""A frame log that names a pipe nobody reads never holds the program up: it
is refused with one line, the plant still moves, and Escape still ends the
program at once."""

import os
import tempfile
import time

from xharness import Program, XServer, check, run_test


def body(path):
    with tempfile.TemporaryDirectory() as folder:
        fifo = os.path.join(folder, "frames")
        os.mkfifo(fifo)
        env = {"QUILLBROOK_FRAME_LOG": fifo}
        with XServer() as server, Program(server, path, env) as program:
            program.wait_for_window()
            time.sleep(0.5)
            first = program.screenshot().view(margin=3)
            time.sleep(0.5)
            check(program.screenshot().view(margin=3) != first, "the plant does not move")
            program.press("Escape")
            status = program.wait_exit(timeout=1.0)
            check(status == 0, f"exit status {status} a second after Escape\n{program.errors()}")
            errors = program.errors()
            check(errors.count("QUILLBROOK_FRAME_LOG") == 1, f"the refused frame log was not reported once:\n{errors}")


run_test(body)
