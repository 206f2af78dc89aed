"""Runs a test program on a private Xvfb display of its own:
on_display.py PROGRAM [ARGUMENTS...]. The exit status is the program's."""

import subprocess
import sys

from xharness import XServer

# Without -noreset the server starts afresh whenever its last client leaves,
# and refuses connections while it does.
with XServer(options=("-nolisten", "tcp", "-noreset")) as server:
    sys.exit(subprocess.run(sys.argv[1:], env=server.env, check=False).returncode)
