#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in a
# folder of their own (build-asan/) and runs them on SQLite. Any report fails
# the run. Slow: run it before a release, not on every change.
#   scripts/sanitize.sh [ctest arguments]     e.g. scripts/sanitize.sh -R Recordset
set -euo pipefail
cd "$(dirname "$0")/.."

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUNLINE_BENCH=OFF "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan

# A report ends the process with a failure; leaks count as reports too. Qt's
# own one-time allocations at exit are not ours to report.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=86"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
# SQLite only: the PostgreSQL instances stay out even when the caller set one.
unset BUNLINE_TEST_PG
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" "$@"
