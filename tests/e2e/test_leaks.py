"""LeakSanitizer over a short run: the program animates for three seconds,
Escape ends it, and the leak check at exit must find nothing that our own
code allocated. Only an AddressSanitizer build can tell; any other build is
skipped (status 77)."""

import os
import re
import time

from xharness import Program, XServer, check, run_test, sanitizer_report

SKIPPED = 77
LEAK_STATUS = 23
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUR_FOLDERS = tuple(f"{ROOT}/{folder}/" for folder in ("geometry", "morph", "render", "panel", "app", "headless"))
LEAK_HEADER = re.compile(r"^(Direct|Indirect) leak of (\d+) byte")
FRAME = re.compile(r"^\s+#\d+ ")
SHARED_LIBRARY = re.compile(r"\(/\S+\.so[.\d]*\+0x[0-9a-f]+\)")


def built_with_asan(path):
    with open(path, "rb") as binary:
        return b"__asan_init" in binary.read()


def leaks(errors):
    """Each leak LeakSanitizer reported: (header line, [frame lines])."""
    found = []
    for line in errors.splitlines():
        if LEAK_HEADER.match(line):
            found.append((line, []))
        elif found and FRAME.match(line):
            found[-1][1].append(line.strip())
    return found


def is_ours(frames):
    """Whether our code made the allocation: walking out from the allocator,
    the first frame that decides is one of our sources (ours) or a shared
    library (theirs: Qt, fontconfig, D-Bus, X libraries keep or drop what they
    allocate themselves, and a leaked object of ours that holds their memory
    shows up as a leak of ours as well). Every stack of the main thread ends
    in main(), so merely containing one of our paths would blame us for all
    of theirs. Inlined standard and Qt headers are compiled into our binary
    and do not decide; a stack that never decides counts as ours."""
    for frame in frames:
        if "libsanitizer" in frame or "libasan" in frame or "compiler-rt" in frame:
            continue
        if any(folder in frame for folder in OUR_FOLDERS):
            return True
        if SHARED_LIBRARY.search(frame):
            return False
        source = re.search(r" (/\S+):\d+", frame)
        if source and not source.group(1).startswith(("/usr/include/", ROOT + "/")):
            return False  # a library built with debug information
    return True


def body(path):
    if not built_with_asan(path):
        print("not an AddressSanitizer build: nothing to check")
        raise SystemExit(SKIPPED)
    # A leak check at exit, reported with its own status so that it is told
    # apart from any other ending.
    options = os.environ.get("ASAN_OPTIONS", "") + f":detect_leaks=1:abort_on_error=0:exitcode={LEAK_STATUS}"
    with XServer() as server, Program(server, path, env={"ASAN_OPTIONS": options.lstrip(":")}) as program:
        program.wait_for_window()
        time.sleep(3.0)
        program.press("Escape")
        status = program.wait_exit(timeout=60.0)
        errors = program.errors()
    report = sanitizer_report(errors, leaks=False)
    check(not report, f"exit status {status}\n{report}")
    found = leaks(errors)
    check(status == 0 or (status == LEAK_STATUS and found), f"exit status {status}\n{errors}")

    ours = [(header, frames) for header, frames in found if is_ours(frames)]
    for header, frames in found:
        whose = "OURS" if (header, frames) in ours else "in a library"
        print(f"{whose}: {header}\n    " + "\n    ".join(frames[:8]))
    print(f"{len(found)} leak(s) reported, {len(ours)} of them ours")
    check(not ours, "our code leaks:\n" + "\n".join(f"{header}\n    " + "\n    ".join(frames)
                                                    for header, frames in ours))


if __name__ == "__main__":
    run_test(body)
