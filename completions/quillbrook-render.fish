# fish completion for quillbrook-render

complete -c quillbrook-render -f
complete -c quillbrook-render -l seed -x -d 'Seed, -2147483648 to 2147483647 (default: the clock)'
complete -c quillbrook-render -l frames -x -d 'Frames to render, 1 to 10000000 (default 100)'
complete -c quillbrook-render -l duration -x -d 'Or the frames of a time: 12.5, 0:30 or 1:02:03'
complete -c quillbrook-render -l size -x -d 'Picture size WxH, each side 1 to 16384 (default 469x340)'
complete -c quillbrook-render -l slider -x -d 'How long the trails stay, 0 to 200 (default 150)'
complete -c quillbrook-render -l png -r -F -d 'The last frame as PNG'
complete -c quillbrook-render -l png-sequence -x -a '(__fish_complete_directories)' -d 'Every frame as PNG into DIR'
complete -c quillbrook-render -l overwrite -d 'Let --png-sequence replace frames in DIR'
complete -c quillbrook-render -l svg -r -F -d 'The last frame\'s plant as SVG'
complete -c quillbrook-render -l dump -r -F -d 'Every frame\'s branch rules as JSON Lines (- for stdout)'
complete -c quillbrook-render -l y4m -r -F -d 'Every frame as a YUV4MPEG2 stream (- for stdout)'
complete -c quillbrook-render -l y4m-420 -d '4:2:0 instead of 4:4:4 for --y4m'
complete -c quillbrook-render -l video -r -F -d 'Every frame as .mp4, .webm or .mkv video'
complete -c quillbrook-render -l crf -x -d 'Video quality, lower is better (default 18 H.264, 31 VP9)'
complete -c quillbrook-render -l help -d 'Show help and exit'
complete -c quillbrook-render -l version -d 'Show the version and exit'
