"""Escape ends the program within a second, with exit status 0."""

import time

from xharness import Program, XServer, check, run_test


def body(path):
    with XServer() as server, Program(server, path) as program:
        program.wait_for_window()
        time.sleep(0.5)
        program.press("Escape")
        status = program.wait_exit(timeout=1.0)
        check(status == 0, f"exit status {status} a second after Escape\n{program.errors()}")


run_test(body)
