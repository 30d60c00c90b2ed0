#!/bin/sh
# Installs what is missing, builds SkyLog and runs it on the sample history:
# the window when a display is available, otherwise a picture of the plots.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/skylog
fi
build/skylog render build/GRAPH.DAT -o build/skylog-plot.png
echo "No display: the plots of the sample history are in $(pwd)/build/skylog-plot.png"
