#!/usr/bin/env bash
# Installs what is missing, builds, and starts bunline on the embedded demo
# database beside the program (created with the demo plant on first run;
# log in as admin / admin).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target bunline bunlinectl

cd build/bin
if [ ! -f config.txt ]; then
    cat > config.txt <<'CONFIG'
Bunline configuration
Connection string, "Driver=SQLite;Database=bunline.db"
Read-only catalogue, No
Local order IDs, No
Hide prices, No
CONFIG
fi
if grep -q 'Database=bunline.db' config.txt; then
    if [ ! -f bunline.db ]; then
        # The demo's well-known login; a real installation lets init-db make
        # up the password, or passes one with --admin-password-file.
        ./bunlinectl --config config.txt init-db --admin-user admin --admin-password admin
        ./bunlinectl --config config.txt demo-data
    else
        # A demo database of an earlier release is brought up to date, and one
        # from before passwords were hashed keeps no plain text.
        ./bunlinectl --config config.txt upgrade-db >/dev/null
        ./bunlinectl --config config.txt upgrade-passwords >/dev/null
    fi
fi
# The demo's own configuration, even where an installed package keeps one in
# /etc/bunline/ or ~/.config/bunline/; --config on the command line wins.
case " $* " in
*" --config "*) exec ./bunline "$@" ;;
*) exec ./bunline --config config.txt "$@" ;;
esac
