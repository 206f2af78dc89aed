"""quillbrook.exe under wine: the window opens at the size the system's own
dialog-unit mapping makes of its template, shows the plant, takes the
slider's keys as a trackbar does, and Escape ends it with status 0."""

import re

from wineharness import WineProgram, XServer, check, plant_over_background, run_test


def sizes(line):
    return dict(re.findall(r"(\S+) (\d+x\d+)", line))


def test(exe, _scr, _host):
    with XServer() as server, WineProgram(server, exe, "--report", "--seed", "42") as program:
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
        program.wait_for_line("label ")
        picture = program.screenshot()
        check((picture.width, picture.height) == (client_w, client_h),
              f"the window is {picture.width}x{picture.height}, its client area {layout['client']}")
        edge = 2  # the view's sunken edge
        view = [picture.pixel(x, y) for y in range(edge, view_h - edge) for x in range(edge, view_w - edge)]
        check(plant_over_background(view), "the view does not show the plant over dark blue")

        program.press("Next")
        check(program.wait_for_line("label ", count=2) == "label \u00b5g (0 - 200): 175 \u00b5g",
              f"Page Down: {program.lines()}")
        program.press("Escape")
        status = program.wait_exit(10)
        check(status == 0, f"Escape ended it with {status}")


run_test(test)
