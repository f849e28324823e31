#!/usr/bin/env bash
# Builds Release in its own folder (build-release/) and packages it:
#   scripts/package.sh  ->  build-release/bunline_<version>_amd64.deb
# Install it on a Debian 12 machine with: sudo apt install ./bunline_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUNLINE_TESTS=OFF -DBUNLINE_BENCH=OFF >/dev/null
cmake --build build-release
(cd build-release && cpack -G DEB)
ls build-release/bunline_*_amd64.deb
