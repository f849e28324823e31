#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Bunline needs.
# Safe to run again: packages already present are skipped quickly.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6opengl6-dev
    libsqlite3-dev libsodium-dev libzint-dev
    libgtest-dev googletest libgmock-dev libbenchmark-dev
    postgresql postgresql-contrib
    xvfb xauth fonts-dejavu-core fonts-liberation poppler-utils openbox xdotool wmctrl zbar-tools
    dpkg-dev file lintian strace
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
