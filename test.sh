#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL and runs every
# test: all of them on SQLite, and the data layer, routines and reports on
# PostgreSQL too.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

source scripts/test-postgres.sh
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
