#!/usr/bin/env bash
# Builds the core and window tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan and runs them; any report fails the run. Benchmarks, fuzzers and the tests that
# start real processes are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
  -DZORVEX_BUILD_BENCH=OFF -DZORVEX_BUILD_FUZZ=OFF -DZORVEX_BUILD_E2E=OFF
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
