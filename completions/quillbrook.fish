# fish completion for quillbrook

complete -c quillbrook -f
complete -c quillbrook -l seed -x -d 'Seed, -2147483648 to 2147483647 (default: the clock)'
complete -c quillbrook -l slider -x -d 'How long the trails stay, 0 to 200 (default 150)'
complete -c quillbrook -l fullscreen -d 'Start full screen'
complete -c quillbrook -l screen -x -d 'Monitor to open on, by number from 0 or by name'
complete -c quillbrook -l all-screens -d 'A plant full screen on every monitor'
complete -c quillbrook -l help -d 'Show help and exit'
complete -c quillbrook -l version -d 'Show the version and exit'
# As an xscreensaver hack, in xscreensaver's form with one dash.
complete -c quillbrook -o root -d 'Fill the screen, or the window XSCREENSAVER_WINDOW names'
complete -c quillbrook -o window-id -x -d 'Fill the X11 window ID (0x... or decimal)'
