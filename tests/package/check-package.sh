#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and checks that what a desktop
# would install works: the command-line tool joins pictures (one through a shipped plug-in),
# the desktop program starts and quits, the menu entry is offered for every picture type and
# has its icons, the licence is there, and lintian (to its informational tags) and appstreamcli
# accept the package.
#   tests/package/check-package.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
deb=$("$here/scripts/package.sh" "${1:-$here/build}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root/pkg"
bin=$root/pkg/usr/bin
fail() { echo "package check: $*" >&2; exit 1; }

for f in usr/bin/quilmo usr/bin/quilmo-cli usr/lib/quilmo/plugins/ifpnm.spi \
         usr/share/applications/io.github.quilmo.Quilmo.desktop \
         usr/share/icons/hicolor/scalable/apps/quilmo.svg \
         usr/share/metainfo/io.github.quilmo.Quilmo.metainfo.xml \
         usr/share/man/man1/quilmo.1.gz usr/share/man/man1/quilmo-cli.1.gz \
         usr/share/doc/quilmo/copyright usr/share/doc/quilmo/changelog.Debian.gz; do
  [ -e "$root/pkg/$f" ] || fail "missing /$f"
done
version=$(dpkg-deb -f "$deb" Version)
[ "$("$bin/quilmo-cli" --version)" = "quilmo-cli ${version%-*}" ] || fail "quilmo-cli --version"
[ "$("$bin/quilmo" --version)" = "quilmo ${version%-*}" ] || fail "quilmo --version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no dependencies from dpkg-shlibdeps"
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n || fail "Qt's translations are no dependency"

# A 2x1 and a 3x2 picture: one a PNM for the shipped plug-in, one a BMP made from another PNM.
printf 'P6\n2 1\n255\n\377\0\0\0\377\0' > "$root/a.ppm"
printf 'P6\n3 2\n255\n' > "$root/b.ppm"
head -c 18 /dev/zero >> "$root/b.ppm"
"$bin/quilmo-cli" convert "$root/b.ppm" "$root/b.bmp"
"$bin/quilmo-cli" join -o "$root/joined.png" "$root/a.ppm" "$root/b.bmp"
[ "$("$bin/quilmo-cli" info "$root/joined.png")" = "5x2 24" ] || fail "the join gave $("$bin/quilmo-cli" info "$root/joined.png")"

QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$root/config timeout 60 \
  "$bin/quilmo" --quit-after-start "$root/a.ppm" || fail "quilmo did not start and quit"

# "Open with" offers Quilmo for every kind of file it reads: the type the system gives each
# extension is in the entry, as update-desktop-database (run by desktop-file-utils' trigger)
# records it. The icon at every hicolor size, and the licence text as it is in the source tree.
apps=$root/pkg/usr/share/applications
desktop-file-validate "$apps/io.github.quilmo.Quilmo.desktop"
update-desktop-database "$apps"
for ext in bmp jpg jpeg jpe png gif heic heif hif avif avifs webp tif tiff jxl pnm pbm pgm ppm; do
  type=$(awk -F: -v glob="*.$ext" '$3 == glob { print $2; exit }' /usr/share/mime/globs2)
  [ -n "$type" ] || fail "the system knows no type of .$ext"
  grep -q "^$type=.*io\.github\.quilmo\.Quilmo\.desktop" "$apps/mimeinfo.cache" || fail "no $type (.$ext) in the desktop entry"
done
for size in 16 24 32 48 64 128 256; do
  icon=$root/pkg/usr/share/icons/hicolor/${size}x$size/apps/quilmo.png
  [ "$("$bin/quilmo-cli" info "$icon")" = "${size}x$size 24" ] || fail "no $size-pixel icon"
done
diff <(sed -n '/^Permission/,$p' "$here/LICENSE") \
     <(sed -n '/^ Permission/,$p' "$root/pkg/usr/share/doc/quilmo/copyright" | sed 's/^ //; s/^\.$//') ||
  fail "the licence in /usr/share/doc/quilmo/copyright differs from LICENSE"

appstreamcli validate --no-net "$root/pkg/usr/share/metainfo/io.github.quilmo.Quilmo.metainfo.xml"
lintian --fail-on error,warning,info --display-info --suppress-tags-from-file /dev/null "$deb"
echo "package check passed: $(basename "$deb")"
