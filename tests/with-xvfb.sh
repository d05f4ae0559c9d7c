#!/bin/bash
# Runs a command against a private Xvfb server that lives exactly as long as the command.
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$fifo" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 30 display_number <"$fifo"
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY
"$@"
