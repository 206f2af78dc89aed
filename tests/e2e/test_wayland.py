"""On Wayland the program runs natively and shows the picture through Qt:
asked for shared memory, it says once that the display is not X11. What the
compositor shows in the view is, pixel for pixel, one of quillbrook-render's
frames for the same seed and picture size, and one of the frames the window
had drawn by then. The compositor is a headless Weston that renders in
memory, on a socket of its own."""

import glob
import os
import subprocess
import tempfile
import time

from xharness import (BACKGROUND, Failure, check, png_picture, private_runtime, random_seed, run_test,
                      sanitizer_report)

SCREEN = (800, 600)
# Frames the screen may lag behind the frames begun: a paint collects the
# frames of one and a half periods, and the compositor shows it at its next
# repaint.
LAG = 10


class Weston:
    """A headless Weston on a private socket, with its screenshooter allowed."""

    def __init__(self):
        self._runtime = private_runtime()
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        self.env.update(XDG_RUNTIME_DIR=self._runtime.name, WAYLAND_DISPLAY="quillbrook-test")
        self._errors = tempfile.TemporaryFile()
        self._weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", f"--width={SCREEN[0]}",
             f"--height={SCREEN[1]}", "--socket=quillbrook-test", "--no-config", "--debug"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=self._errors)
        socket = os.path.join(self._runtime.name, "quillbrook-test")
        deadline = time.monotonic() + 10
        while not os.path.exists(socket):
            if self._weston.poll() is not None or time.monotonic() > deadline:
                self._errors.seek(0)
                said = self._errors.read().decode(errors="replace")
                self.__exit__()
                raise Failure(f"Weston did not start:\n{said}")
            time.sleep(0.05)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self._weston.terminate()
        self._weston.wait(timeout=10)
        self._errors.close()
        self._runtime.cleanup()

    def screenshot(self):
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run(["weston-screenshooter"], env=self.env, cwd=folder, check=True, timeout=20)
            shots = glob.glob(os.path.join(folder, "*.png"))
            check(len(shots) == 1, f"the screenshooter wrote {shots}")
            return png_picture(shots[0])


def lines_in(path):
    with open(path, "rb") as lines:
        return lines.read().count(b"\n")


def view_area(screen):
    """Left, top, width and height of the picture on the screen: the extent
    of the rows that are mostly background. The title bar's icon has the
    background's colour too, in rows of a few such pixels."""
    rows = {y: [x for x in range(screen.width) if screen.pixel(x, y) == BACKGROUND] for y in range(screen.height)}
    rows = {y: columns for y, columns in rows.items() if len(columns) >= screen.width // 4}
    check(rows, "no picture on the screen")
    left = min(columns[0] for columns in rows.values())
    right = max(columns[-1] for columns in rows.values())
    return left, min(rows), right - left + 1, max(rows) - min(rows) + 1


def crop(picture, left, top, width, height):
    row = 3 * picture.width
    return b"".join(picture.pixels[y * row + 3 * left:y * row + 3 * (left + width)] for y in range(top, top + height))


def body(path, render_path):
    seed = random_seed() - (1 << 31)  # the program's seeds are 32-bit signed
    with tempfile.TemporaryDirectory() as work, Weston() as weston:
        frame_log = os.path.join(work, "frames")
        env = {"QT_QPA_PLATFORM": "wayland", "QUILLBROOK_PRESENT": "direct", "QUILLBROOK_FRAME_LOG": frame_log,
               "HOME": work, "XDG_CONFIG_HOME": os.path.join(work, ".config")}
        with tempfile.TemporaryFile() as errors, subprocess.Popen(
                [path, "--seed", str(seed)], env={**weston.env, **env}, stdout=subprocess.DEVNULL,
                stderr=errors) as program:
            try:
                deadline = time.monotonic() + 20
                while not os.path.exists(frame_log) or lines_in(frame_log) < 100:
                    check(program.poll() is None, f"the program ended ({program.returncode})")
                    check(time.monotonic() < deadline, "the program drew no 100 frames within 20 s")
                    time.sleep(0.05)
                begun_before = lines_in(frame_log)
                screen = weston.screenshot()
                begun_after = lines_in(frame_log)
            finally:
                program.kill()
                program.wait()
                errors.seek(0)
                said = errors.read().decode(errors="replace")
        report = sanitizer_report(said, leaks=False)
        check(not report, f"a sanitizer found a fault on Wayland:\n{report}")
        lines = [line for line in said.splitlines() if line.startswith("quillbrook:")]
        check(len(lines) == 1 and "the display is not X11" in lines[0] and "through Qt" in lines[0],
              f"said on Wayland:\n{said}")

        left, top, width, height = view_area(screen)
        shown = crop(screen, left, top, width, height)
        frames = os.path.join(work, "rendered")
        subprocess.run([render_path, "--seed", str(seed), "--frames", str(begun_after), "--size",
                        f"{width}x{height}", "--png-sequence", frames], check=True, timeout=120)
        # The newest first: the screen shows one of the last frames begun before it was taken.
        for number in range(begun_after, max(begun_before - LAG, 1) - 1, -1):
            name = os.path.join(frames, f"frame-{number - 1:06d}.png")
            if png_picture(name).pixels == shown:
                print(f"the {width}x{height} view shows frame {number}; {begun_after} had begun")
                return
        raise Failure(f"the {width}x{height} view at {left},{top} shows none of frames "
                      f"{max(begun_before - LAG, 1)} to {begun_after} (seed {seed})")


run_test(body, tools=("weston", "weston-screenshooter", "convert"))
