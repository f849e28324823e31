#!/usr/bin/env bash
# The Debian package of the build tree: CPack packs the binaries already built,
# the package is unpacked into a temporary folder, and the unpacked bunlinectl
# reports its version and sets up a database. Lintian, where installed, finds
# no error in it.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(sed -n 's/^#define BUNLINE_VERSION "\(.*\)"$/\1/p' "$build/generated/bunline_build.h")
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb="$work/out/bunline_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb:"; ls "$work/out"; exit 1; }

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/bunline ./usr/bin/bunlinectl ./usr/share/applications/bunline.desktop \
         ./usr/share/icons/hicolor/scalable/apps/bunline.svg ./usr/share/man/man1/bunline.1.gz \
         ./usr/share/man/man1/bunlinectl.1.gz ./etc/bunline/config.txt ./usr/share/doc/bunline/copyright; do
    grep -q " $f\$" <<<"$contents" || { echo "the package lacks $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6sql6-sqlite libqt6sql6-psql libsodium; do
    grep -q "$d" <<<"$depends" || { echo "Depends lacks $d: $depends"; exit 1; }
done
[ "$(dpkg-deb -I "$deb" conffiles)" = "/etc/bunline/config.txt" ] \
    || { echo "config.txt is no conffile"; exit 1; }

# Every command the manual page lists is one bunlinectl knows, and the other way round.
usage=$("$build/bin/bunlinectl" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p' | sort)
manual=$(zcat <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man1/bunlinectl.1.gz) \
    | sed -n '/^\.SH COMMANDS/,/^\.SH /{/^\.TP/{n;s/^\.B \([a-z\\-]*\).*/\1/p}}' | sed 's/\\-/-/g' | sort)
[ "$usage" = "$manual" ] || { echo "bunlinectl(1) and --help list different commands:"; diff <(echo "$usage") <(echo "$manual"); exit 1; }

dpkg-deb -x "$deb" "$work/root"
ctl="$work/root/usr/bin/bunlinectl"
"$ctl" --version | grep -q "^bunlinectl $version" || { echo "--version says: $("$ctl" --version)"; exit 1; }
# bunline answers --version without a display.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$work/root/usr/bin/bunline" --version | grep -q "^bunline $version" \
    || { echo "bunline --version failed"; exit 1; }
if file "$ctl" | grep -q 'not stripped'; then echo "bunlinectl is not stripped"; exit 1; fi
printf 'Bunline configuration\nConnection string, "Driver=SQLite;Database=plant.db"\nRead-only catalogue, No\nLocal order IDs, No\nHide prices, No\n' >"$work/config.txt"
"$ctl" --config "$work/config.txt" init-db --admin-password secret >/dev/null
[ "$("$ctl" --config "$work/config.txt" sql "SELECT Version FROM SchemaVersion")" = "$(printf 'Version\n2')" ] \
    || { echo "the unpacked bunlinectl made no database of the current version"; exit 1; }

if command -v lintian >/dev/null; then
    # Errors only; warnings about a package outside the Debian archive are expected.
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    [ -z "${BUNLINE_SHOW_LINTIAN:-}" ] || cat "$work/lintian.log"
    if grep -q '^E:' "$work/lintian.log"; then
        grep '^E:' "$work/lintian.log"
        exit 1
    fi
fi
echo "package ok: $(basename "$deb")"
