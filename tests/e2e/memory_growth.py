#!/usr/bin/env python3
"""Measures how the program's resident memory grows while it animates at its
starting size: VmRSS once a second for two minutes on a private Xvfb display.
Startup (fonts, caches, the first buffers) settles in the first ten seconds,
so growth is counted from there: the largest value after ten seconds, and
the last one, each minus the value at ten seconds. Exits 1 when the
growth reaches 1 MB. Not part of the test suite: it takes two minutes.

    tests/e2e/memory_growth.py build/bin/quillbrook [--seconds 120]

Measure a plain build: a sanitizer's own bookkeeping grows on its own."""

import argparse
import sys
import time

from xharness import Failure, Program, XServer, check, sanitizer_report

SETTLE = 10
GOAL = 1_000_000  # bytes


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise Failure("no VmRSS in /proc: the program has ended")


def measure(path, seconds):
    with XServer() as server, Program(server, path) as program:
        program.wait_for_window()
        pid = program.process.pid
        start = time.monotonic()
        samples = []  # (second, KiB)
        for second in range(seconds + 1):
            time.sleep(max(0.0, start + second - time.monotonic()))
            check(program.process.poll() is None,
                  f"the program ended after {second} s ({program.process.returncode})\n{program.errors()}")
            samples.append((second, resident_kib(pid)))
            if second % 10 == 0:
                print(f"{second:4d} s  {samples[-1][1]:8d} KiB", flush=True)
        program.press("Escape")
        status = program.wait_exit(timeout=30.0)
        report = sanitizer_report(program.errors())
        check(status == 0 and not report, f"after Escape: exit status {status}\n{report or program.errors()}")
    return samples


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program")
    parser.add_argument("--seconds", type=int, default=120)
    arguments = parser.parse_args()
    check(arguments.seconds > SETTLE, f"--seconds must be more than {SETTLE}")

    samples = measure(arguments.program, arguments.seconds)
    base = samples[SETTLE][1]
    later = [kib for second, kib in samples if second >= SETTLE]
    peak_growth, end_growth = (max(later) - base) * 1024, (later[-1] - base) * 1024
    print(f"resident at {SETTLE} s: {base} KiB; from then to {arguments.seconds} s: "
          f"largest growth {peak_growth} bytes, growth at the end {end_growth} bytes "
          f"(lowest {min(later) - base:+d} KiB); goal under {GOAL} bytes")
    return 0 if peak_growth < GOAL else 1  # the end is never above the largest


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        sys.exit(f"FAILED: {failure}")
