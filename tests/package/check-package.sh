#!/bin/sh
# Unpacks the built Debian package into a temporary folder and checks that
# everything is where the desktop looks for it, that the package depends on
# the Qt libraries and recommends the Wayland plugin, that lintian finds no
# error or warning, and that the packaged program runs without a display.
# Usage: check-package.sh FOLDER-WITH-THE-DEB VERSION
set -eu
folder="$1"
version="$2"
deb="$folder/tabulator_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package: $deb"; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

id=io.github.tabulator.Tabulator
for path in usr/bin/tabulator \
            "usr/share/applications/$id.desktop" \
            usr/share/icons/hicolor/16x16/apps/tabulator.png \
            usr/share/icons/hicolor/32x32/apps/tabulator.png \
            "usr/share/metainfo/$id.metainfo.xml" \
            usr/share/man/man1/tabulator.1.gz \
            usr/share/doc/tabulator/copyright; do
    [ -f "$root/$path" ] || { echo "missing: /$path"; exit 1; }
done
[ -x "$root/usr/bin/tabulator" ] || { echo "not executable: /usr/bin/tabulator"; exit 1; }

# The entry names the icon installed, and the metainfo the entry installed.
grep -qx "Icon=tabulator" "$root/usr/share/applications/$id.desktop" ||
    { echo "the desktop entry names another icon"; exit 1; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "$root/usr/share/metainfo/$id.metainfo.xml" ||
    { echo "the metainfo launches another entry"; exit 1; }

grep -qx "Categories=Education;Science;Math;" "$root/usr/share/applications/$id.desktop" ||
    { echo "the desktop entry has other categories"; exit 1; }
for tag in "<developer id=" "<releases>" "<category>Education</category>"; do
    grep -q "$tag" "$root/usr/share/metainfo/$id.metainfo.xml" ||
        { echo "the metainfo lacks $tag"; exit 1; }
done

recommends=$(dpkg-deb -I "$deb" | sed -n 's/^ Recommends: //p')
case "$recommends" in
    *qt6-wayland*) ;;
    *) echo "Recommends lacks qt6-wayland: $recommends"; exit 1 ;;
esac

# Debian's own checker: informational tags only.
tags=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null || true)
if printf '%s\n' "$tags" | grep -E '^[EW]: '; then
    echo "lintian finds the above"
    exit 1
fi

depends=$(dpkg-deb -I "$deb" | sed -n 's/^ Depends: //p')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6; do
    case "$depends" in
        *"$library"*) ;;
        *) echo "Depends lacks $library: $depends"; exit 1 ;;
    esac
done

# The manual page is Russian and documents the options and exit statuses.
page=$(gzip -dc "$root/usr/share/man/man1/tabulator.1.gz")
for word in print series closed precision csv "КОДЫ ЗАВЕРШЕНИЯ"; do
    case "$page" in
        *"$word"*) ;;
        *) echo "the manual page lacks: $word"; exit 1 ;;
    esac
done

output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tabulator" --version)
[ "$output" = "tabulator $version" ] || { echo "packaged program says: $output"; exit 1; }
echo "package: $(basename "$deb") holds everything in place"
