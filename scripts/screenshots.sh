#!/bin/sh
# Pictures of the main window, the style screen and the order navigator on the
# demo plant, at 1280x800 and 1920x1080, for a person to look at.
#   scripts/screenshots.sh [FOLDER]     (default: build/screenshots)
# Needs a build (shell_tests) and xvfb-run.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build/screenshots}
mkdir -p "$out"
BUNLINE_SCREENSHOT_DIR="$out" xvfb-run -a -s "-screen 0 1920x1080x24" "$here/build/bin/shell_tests" \
    --gtest_also_run_disabled_tests --gtest_filter='ShellPictures.DISABLED_DesktopAtScreenSizes'
ls "$out"/*.png
