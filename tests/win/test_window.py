"""quillbrook.exe under wine: the window opens at the size the system's own
dialog-unit mapping makes of its template (at 96 and at 144 dots per inch,
the picture in device pixels), shows the plant, paused shows the
very picture that the Linux quillbrook-render draws of the same seed and
frames (when QUILLBROOK_RENDER names it), takes the slider's keys as a
trackbar does, and Escape ends it with status 0."""

import os
import re
import subprocess
import tempfile
import time

from wineharness import WineProgram, XServer, check, end_wine, plant_over_background, png_picture, run_test, wine_env


def sizes(line):
    return dict(re.findall(r"(\S+) (\d+x\d+)", line))


def rendered(render, frames, size):
    """quillbrook-render's picture of seed 42 after `frames` frames."""
    with tempfile.TemporaryDirectory() as folder:
        png = os.path.join(folder, "plant.png")
        subprocess.run([render, "--seed", "42", "--frames", str(frames), "--size", size, "--slider", "150", "--png",
                        png], check=True, capture_output=True, timeout=60)
        return png_picture(png)


def same_as_linux(program, picture, edge, size):
    """The paused window's picture against the Linux renderer's of the same
    frames: pixel for pixel."""
    render = os.environ.get("QUILLBROOK_RENDER")
    if not render:
        print("QUILLBROOK_RENDER is not set: not compared with the Linux renderer")
        return
    frames = int(program.wait_for_line("paused frames ").split()[-1])
    width, height = map(int, size.split("x"))
    shown = [picture.pixel(x, y) for y in range(edge, edge + height) for x in range(edge, edge + width)]
    # The frame under way as the pause came may have been counted or not.
    for candidate in (frames, frames + 1):
        linux = rendered(render, candidate, size)
        if shown == [linux.pixel(x, y) for y in range(height) for x in range(width)]:
            print(f"frame {candidate}: the same pixels as quillbrook-render's on Linux")
            return
    check(False, f"the paused picture after {frames} frames is not quillbrook-render's")


def set_dpi(server, dpi):
    """The prefix's screen resolution; None goes back to the default."""
    key = r"HKCU\Control Panel\Desktop"
    command = (["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"] if dpi else
               ["reg", "delete", key, "/v", "LogPixels", "/f"])
    subprocess.run(["wine", *command], env=wine_env(server), capture_output=True, timeout=60)
    end_wine(server)


def high_dpi(server, exe, normal):
    """At 144 dots per inch the window grows with its font, and the picture
    fills the view in device pixels."""
    set_dpi(server, 144)
    try:
        with WineProgram(server, exe, "--report") as program:
            layout = sizes(program.wait_for_line("layout "))
    finally:
        set_dpi(server, None)
    check(layout["client"] == layout["template"], f"at 144 dpi: {layout}")
    width, height = map(int, layout["client"].split("x"))
    check(width >= normal[0] * 1.4 and height >= normal[1] * 1.4, f"at 144 dpi the window is {layout['client']}")
    view_w, view_h = map(int, layout["view"].split("x"))
    check(layout["picture"] == f"{view_w - 4}x{view_h - 4}", f"at 144 dpi: {layout}")


def test(exe, _scr, _host):
    with XServer() as server:
        with WineProgram(server, exe, "--report", "--seed", "42") as program:
            layout = sizes(program.wait_for_line("layout "))
            check(layout["client"] == layout["template"],
                  f"the client area is {layout['client']}, the template maps to {layout['template']}")
            client_w, client_h = map(int, layout["client"].split("x"))
            panel_w, panel_h = map(int, layout["panel"].split("x"))
            view_w, view_h = map(int, layout["view"].split("x"))
            check(panel_h == int(layout["panel-template"].split("x")[1]), f"panel strip {layout['panel']}")
            check((panel_w, view_w, view_h) == (client_w, client_w, client_h - panel_h), f"layout {layout}")
            check(program.wait_for_line("label ") == "label \u00b5g (0 - 200): 150 \u00b5g", "start label")

            program.wait_for_window()
            time.sleep(2)  # a hundred frames or so
            program.press("space")
            program.wait_for_line("paused ")
            picture = program.screenshot()
            check((picture.width, picture.height) == (client_w, client_h),
                  f"the window is {picture.width}x{picture.height}, its client area {layout['client']}")
            edge = 2  # the view's sunken edge
            view = [picture.pixel(x, y) for y in range(edge, view_h - edge) for x in range(edge, view_w - edge)]
            check(plant_over_background(view), "the view does not show the plant over dark blue")
            same_as_linux(program, picture, edge, layout["picture"])

            program.press("Next")
            check(program.wait_for_line("label ", count=2) == "label \u00b5g (0 - 200): 175 \u00b5g",
                  f"Page Down: {program.lines()}")
            program.press("Escape")
            status = program.wait_exit(10)
            check(status == 0, f"Escape ended it with {status}")
        high_dpi(server, exe, (client_w, client_h))


run_test(test)
