"""What bench/measure-program and bench/measure-peers share: a private Xvfb
that is gone on any exit, CPU use read from /proc, medians, the load average
and the handling of signals and of runs that take too long.

The scripts set sys.dont_write_bytecode before importing this, so that no
cache is left behind in bench/ or tests/e2e/."""

import contextlib
import math
import os
import shutil
import signal
import statistics
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

# pylint: disable=wrong-import-position
import xharness  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class Timeout(Exception):
    pass


@contextlib.contextmanager
def x_server(width, height, unset=()):
    """A private Xvfb with a width x height screen, gone on any exit. Its
    environment for programs lacks the variables named in `unset`: those a
    script sets itself, which must not come from the caller's shell."""
    server = xharness.XServer(screen=f"{width}x{height}x24")
    try:
        with server:
            for name in unset:
                server.env.pop(name, None)
            yield server
    finally:
        # A server that ignored the polite request must not outlive us.
        xvfb = server._xvfb  # pylint: disable=protected-access
        if xvfb.poll() is None:
            xvfb.kill()
            xvfb.wait()


def xvfb_pid(server):
    return server._xvfb.pid  # pylint: disable=protected-access


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat", encoding="utf-8") as stat:
        # The command name may hold spaces: the fields start after its ')'.
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def sample_cpu(pids, seconds, every=1.0):
    """The CPU ticks (user + system) of each of `pids` over the next `seconds`
    of wall time: a list of (time.monotonic_ns(), [ticks of each pid]) at the
    start, about every `every` seconds, and at the end."""
    start = time.monotonic_ns()
    samples = [(start, [cpu_ticks(pid) for pid in pids])]
    end = start + int(seconds * 1e9)
    while (now := time.monotonic_ns()) < end:
        time.sleep(min(every, (end - now) / 1e9))
        samples.append((time.monotonic_ns(), [cpu_ticks(pid) for pid in pids]))
    return samples


def cpu_pct(first, last, index=0):
    """The % of one core that the index-th pid used between two samples."""
    (start, start_ticks), (stop, stop_ticks) = first, last
    return 100.0 * (stop_ticks[index] - start_ticks[index]) / CLOCK_TICKS / ((stop - start) / 1e9)


def median(values):
    """The median of the values that are not None, or None if none is."""
    known = [value for value in values if value is not None]
    return statistics.median(known) if known else None


def size_name(size):
    return "default" if size is None else f"{size[0]}x{size[1]}"


def parse_size(text, default_allowed=True):
    """(width, height) from 'WxH', or None for 'default' where allowed."""
    if text == "default" and default_allowed:
        return None
    try:
        width, height = (int(part) for part in text.lower().split("x"))
    except ValueError:
        example = "default or WxH" if default_allowed else "WxH"
        raise SystemExit(f"bad size {text!r}: use {example}, e.g. 1920x1080") from None
    if width < 1 or height < 1:
        raise SystemExit(f"bad size {text!r}")
    return width, height


def missing_tools(*tools):
    return [tool for tool in tools if not shutil.which(tool)]


def wait_for_quiet(limit, longest):
    deadline = time.monotonic() + longest
    while (load := os.getloadavg()[0]) >= limit:
        if time.monotonic() >= deadline:
            print(f"load still {load:.2f} after {longest:.0f} s: measuring anyway", file=sys.stderr)
            return
        print(f"1-minute load {load:.2f} >= {limit}: waiting 30 s", file=sys.stderr, flush=True)
        time.sleep(30)


def load_text(before, after):
    """Two load averages (1/5/15 min) as 'a/b/c -> d/e/f'."""
    return "/".join(f"{x:.2f}" for x in before) + " -> " + "/".join(f"{x:.2f}" for x in after)


def fmt(value, unit, digits=1):
    return "n/a" if value is None else f"{value:.{digits}f}{unit}"


def ratio(measured, baseline):
    if measured is None or baseline is None or baseline == 0:
        return "n/a"
    return f"{measured / baseline:.2f}x"


def verdict(ok):
    return "met" if ok else "NOT MET"


# Signals and time limits ---------------------------------------------------

def _on_alarm(*_):
    raise Timeout("a run took far longer than it should: given up")


def _on_signal(signum, _):
    # Unwinds like any exit, so every context manager ends its processes.
    raise SystemExit(128 + signum)


def handle_signals():
    """SIGTERM and SIGHUP end the script as an exception would (Ctrl+C does
    already), so that no spawned process or X server outlives it."""
    signal.signal(signal.SIGTERM, _on_signal)
    signal.signal(signal.SIGHUP, _on_signal)
    signal.signal(signal.SIGALRM, _on_alarm)


@contextlib.contextmanager
def time_limit(seconds):
    """Raises Timeout in the block once `seconds` have passed."""
    signal.alarm(max(1, math.ceil(seconds)))
    try:
        yield
    finally:
        signal.alarm(0)
