"""quillbrook.scr under wine: /p puts the plant inside a window it is given
and follows that window's size and end; /s fills the screen with the plant
and ends on a key or a move of the pointer, not on a nudge; /c stores the slider.

Wine shows no window of one process inside another's, so the preview's
pixels cannot be looked at here; /s shows the same view's."""

import subprocess
import time

from wineharness import WineProgram, XServer, check, end_wine, plant_over_background, run_test, wine_env


def preview(server, scr, host):
    with WineProgram(server, host, scr, "1500") as program:
        shown = program.wait_for_line("shown ", timeout=30)
        check(shown == "shown host 320x240 view found 320x240", shown)
        resized = program.wait_for_line("resized ", timeout=30)
        check(resized == "resized host 200x150 view found 200x150", resized)
        ended = program.wait_for_line("ended ", timeout=30)
        check(ended == "ended 0", f"after its window went: {program.lines()}")


def full_screen(server, scr):
    with WineProgram(server, scr, "/s") as program:
        window = program.wait_for_window()
        time.sleep(1.5)
        picture = program.screenshot(window)
        check((picture.width, picture.height) == (1280, 1024), f"{picture.width}x{picture.height}, not the screen")
        check(plant_over_background(picture.view()), "the screen does not show the plant")
        server.tool("xdotool", "mousemove_relative", "--", "3", "2")
        check(program.wait_exit(1.5) is None, "a nudge of the pointer ended it")
        server.tool("xdotool", "mousemove_relative", "--", "40", "30")
        status = program.wait_exit(10)
        check(status == 0, f"a move of the pointer ended it with {status}")
    with WineProgram(server, scr, "/s") as program:
        program.wait_for_window()
        time.sleep(0.5)
        server.tool("xdotool", "key", "a")
        status = program.wait_exit(10)
        check(status == 0, f"a key ended it with {status}")


def settings(server, scr):
    with WineProgram(server, scr, "/c") as program:
        program.wait_for_window()
        time.sleep(0.5)
        program.press("End")
        program.press("Return")
        status = program.wait_exit(10)
        check(status == 0, f"/c ended with {status}")
    stored = subprocess.run(["wine", "reg", "query", r"HKCU\Software\Quillbrook", "/v", "Slider"],
                            env=wine_env(server), capture_output=True, text=True, timeout=60)
    end_wine(server)
    check("0xc8" in stored.stdout, f"the registry holds: {stored.stdout.strip()}")


def test(_exe, scr, host):
    with XServer() as server:
        preview(server, scr, host)
        full_screen(server, scr)
        settings(server, scr)


run_test(test)
