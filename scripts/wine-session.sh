#!/usr/bin/env bash
# Starts the wine prefix's server (WINEPREFIX), to stay until it is ended with
# `wineserver -k`, and wine's background services with it. The services are
# started by the first wine program of a session and keep that program's
# standard output and error open: a test run started them, ctest would wait for
# its output to end as long as they run. Started here they hold nothing of
# anyone's. Windows of the session show on the display DISPLAY names, if any.
set -euo pipefail
wineserver -p
wineboot </dev/null >/dev/null 2>&1
