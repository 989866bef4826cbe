#!/usr/bin/env bash
# Makes the Debian package from the build tree and checks it as Debian's
# tools see it: the files in their places, the dependency fields filled,
# and lintian with no errors and no warnings.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/tafsir-videos_*_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/tafsir-videos \
    ./usr/share/applications/tafsir-videos.desktop \
    ./usr/share/metainfo/org.nofarth.TafsirVideos.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/tafsir-videos.png \
    ./usr/share/icons/hicolor/256x256/apps/tafsir-videos.png \
    ./usr/share/doc/tafsir-videos/copyright \
    ./usr/share/doc/tafsir-videos/changelog.gz \
    ./usr/share/man/man1/tafsir-videos.1.gz; do
    grep -qxF "$file" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Worked out from the binary, and what it loads at run time.
for needed in libqt6widgets6 libqt6dbus6 libc6 libmpv2 fonts-noto-core qt6-qpa-plugins xdg-utils; do
    grep -q "\b$needed\b" <<<"$depends" || { echo "Depends lacks $needed"; exit 1; }
done
test "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/.*(\(.*\)).*/\1/p;q' "$(dirname "$0")/../../packaging/changelog")"
test -n "$(dpkg-deb -f "$deb" Installed-Size)"

lintian --tag-display-limit 0 "$deb" | tee "$out/lintian.txt"
! grep -q '^[EW]:' "$out/lintian.txt"
