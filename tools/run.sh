#!/bin/sh
# Installs what is missing, builds SkyLog and runs it on the sample history.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
exec build/skylog info build/GRAPH.DAT
