#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, starts a throwaway PostgreSQL and runs every
# test: all of them on SQLite, and the data layer, routines and reports on
# PostgreSQL too.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
# The code keeps the committed .clang-format: a file that does not is named here.
find app bench cli src tests tools \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run -Werror
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

source scripts/test-postgres.sh
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
