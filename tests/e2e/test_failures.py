"""The window program fails clearly: without a display, or with one it
cannot reach, it says so in one line and ends with status 1; a main window
destroyed from outside ends the program; and where no thread can be started
it says so and ends with status 1 instead of hanging."""

import os
import resource
import subprocess

from xharness import Program, XServer, check, run_test

HINT = "quillbrook-render draws the plant without a display"


def run_without(env_changes, path):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(env_changes)
    return subprocess.run([path], env=env, capture_output=True, text=True, timeout=30)


def thread_sanitized(path):
    return "libtsan" in subprocess.run(["ldd", path], capture_output=True, text=True).stdout


def body(path):
    for how, env in (("no display", {}), ("a display that is not there", {"DISPLAY": ":99999"})):
        run = run_without(env, path)
        check(run.returncode == 1, f"{how}: status {run.returncode}\n{run.stderr}")
        lines = run.stderr.splitlines()
        check(len(lines) == 2 and lines[0].startswith("quillbrook: ") and HINT in lines[1],
              f"{how}: not one line and the hint\n{run.stderr}")

    with XServer() as server:
        with Program(server, path) as program:
            program.wait_for_window()
            server.tool("xdotool", "windowclose", program.window)  # XDestroyWindow
            status = program.wait_exit(timeout=2.0)
            check(status == 0, f"status {status} two seconds after the window was destroyed\n{program.errors()}")

        if thread_sanitized(path):
            print("no thread: skipped, the thread sanitizer cannot map its shadow under such a stack limit")
            return

        # Threads as big as no system gives: neither Qt's nor the plant's
        # can start. The program says so and ends, instead of hanging.
        def huge_thread_stacks():
            size = 64 << 40
            resource.setrlimit(resource.RLIMIT_STACK, (size, size))

        process = subprocess.Popen([path], env=server.env, preexec_fn=huge_thread_stacks, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, text=True)
        try:
            status = process.wait(timeout=12)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            status = None
        errors = process.stderr.read()
        check(status == 1 and "quillbrook: cannot start" in errors,
              f"no thread could start: status {status}\n{errors}")


run_test(body)
