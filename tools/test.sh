#!/bin/sh
# Installs what is missing, then builds and runs every test twice: in the
# normal build and in a Debug build with AddressSanitizer and UBSan.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKYLOG_SANITIZE=ON -DSKYLOG_BUILD_BENCH=OFF
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$(pwd)/tools/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j2
