"""The real xscreensaver daemon runs quillbrook as its one hack: activated,
the screen shows the plant; deactivated, the hack has ended within a second.
The daemon will not launch hacks as root, so where the test runs as root the
daemon and its commands run as the user nobody, with a copy of the program
in a folder that user can reach."""

import os
import shutil
import subprocess
import tempfile
import time
from collections import Counter

from xharness import BACKGROUND, DEPTH_COLOURS, Picture, XServer, check, run_test

SETTINGS = """mode:\t\tone
selected:\t0
lock:\t\tFalse
splash:\t\tFalse
fade:\t\tFalse
unfade:\t\tFalse
programs:\t{program} -root \\n
"""


def ended(pid):
    """Gone, or a zombie its parent has not yet collected."""
    try:
        with open(f"/proc/{pid}/stat", encoding="utf-8") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def hack_pids(program):
    found = subprocess.run(["pgrep", "-f", f"^{program} "], capture_output=True, text=True).stdout.split()
    return [int(pid) for pid in found if not ended(int(pid))]


def reachable_sanitizer_options(env, folder):
    """The sanitizer options with any suppressions file copied where the
    user the hack runs as can read it: a sanitizer that cannot read it stops
    the program at once."""
    for name in ("ASAN_OPTIONS", "TSAN_OPTIONS", "UBSAN_OPTIONS"):
        options = env.get(name, "").split(":")
        for i, option in enumerate(options):
            if option.startswith("suppressions="):
                copy = os.path.join(folder, f"{name.lower()}.supp")
                shutil.copy(option.split("=", 1)[1], copy)
                os.chmod(copy, 0o644)
                options[i] = f"suppressions={copy}"
        if name in env:
            env[name] = ":".join(options)
    return env


def body(path):
    for tool in ("xscreensaver", "xscreensaver-command"):
        check(shutil.which(tool), f"{tool} is missing: scripts/setup.sh installs it")
    with tempfile.TemporaryDirectory() as folder:
        os.chmod(folder, 0o755)
        home = os.path.join(folder, "home")
        os.mkdir(home, 0o700)
        program = os.path.join(folder, "quillbrook")
        shutil.copy(path, program)
        os.chmod(program, 0o755)
        with open(os.path.join(home, ".xscreensaver"), "w", encoding="utf-8") as settings:
            settings.write(SETTINGS.format(program=program))
        as_user = []
        if os.geteuid() == 0:
            as_user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
            shutil.chown(home, "nobody", "nogroup")
            shutil.chown(os.path.join(home, ".xscreensaver"), "nobody", "nogroup")

        with XServer(screen="1024x768x24") as server:
            env = reachable_sanitizer_options(dict(server.env, HOME=home, XDG_RUNTIME_DIR=home), folder)

            def command(*args):
                return subprocess.run(as_user + ["xscreensaver-command", *args], env=env, capture_output=True,
                                      text=True, timeout=20)

            log_path = os.path.join(folder, "daemon.log")
            with open(log_path, "wb") as log:
                daemon = subprocess.Popen(as_user + ["xscreensaver", "-no-splash", "-verbose"], env=env, stdout=log,
                                          stderr=subprocess.STDOUT)

            def daemon_said():
                with open(log_path, encoding="utf-8", errors="replace") as said:
                    return said.read()

            def check_logged(condition, message):
                """A failure says what the daemon said."""
                if not condition:
                    status = daemon.poll()
                    check(False, f"{message} (daemon {'running' if status is None else f'ended with {status}'})\n"
                          + daemon_said())

            try:
                # The daemon ends at once, with status 1 and nothing said, when
                # another client talks to the server while it sets itself up, so
                # no command goes to it before it has reported the input devices
                # it found. Slow to start on a loaded machine (sanitizer builds).
                deadline = time.monotonic() + 30
                while "XInput version" not in daemon_said() or command("-time").returncode != 0:
                    check_logged(daemon.poll() is None and time.monotonic() < deadline,
                                 "the xscreensaver daemon did not start")
                    time.sleep(0.05)
                check(command("-activate").returncode == 0, "xscreensaver-command -activate failed")
                deadline = time.monotonic() + 10
                while not hack_pids(program):
                    check_logged(time.monotonic() < deadline, "the daemon did not start the hack")
                    time.sleep(0.1)
                time.sleep(2.0)
                picture = Picture(server.tool("import", "-window", "root", "-depth", "8", "ppm:-"))
                colours = Counter(picture.pixel(x, y) for y in range(0, picture.height, 2)
                                  for x in range(0, picture.width, 2))
                check(colours.most_common(1)[0][0] == BACKGROUND, "the screen is not dark blue")
                for depth, colour in enumerate(DEPTH_COLOURS):
                    check(colours[colour] > 0, f"no pixel of depth {depth}'s colour on the screen")

                check(command("-deactivate").returncode == 0, "xscreensaver-command -deactivate failed")
                # A sanitizer's checks at exit, on a machine loaded by the
                # other tests, may take more than the second itself.
                slack = 3.0 if any(name in env for name in ("ASAN_OPTIONS", "TSAN_OPTIONS")) else 1.0
                deadline = time.monotonic() + slack
                while hack_pids(program):
                    check_logged(time.monotonic() <= deadline, f"the hack runs on {slack:g} s after -deactivate")
                    time.sleep(0.05)
            finally:
                command("-exit")
                try:
                    daemon.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    daemon.kill()
                    daemon.wait()
                for pid in hack_pids(program):
                    os.kill(pid, 9)


run_test(body)
