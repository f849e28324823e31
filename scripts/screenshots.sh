#!/bin/sh
# Pictures of the main window and of every screen on the demo plant, at
# 1280x800 and 1920x1080 (or the sizes given), for a person to look at.
#   scripts/screenshots.sh [FOLDER [WIDTHxHEIGHT ...]]   (default: build/screenshots)
# Needs a build (bunline-pictures) and xvfb-run.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build/screenshots}
[ $# -gt 0 ] && shift
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1920x1080x24" "$here/build/bin/bunline-pictures" "$out" "$@"
