#!/usr/bin/env bash
# Packs the built program as a Debian package and checks what it holds and what it needs.
# Exits 77 (skipped) where the packaging tools are missing.
# Usage: package-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool not found: the Debian package is not checked"
    exit 77
  fi
done
work=$(mktemp -d /tmp/tovren-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack"; }
package=$(ls "$work"/tovren_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$package" ] || fail "no tovren_${version}_*.deb made"

dpkg-deb -c "$package" | awk '{print $NF}' | grep -v '/$' | sort >"$work/files"
expected=(
  ./usr/bin/tovren
  ./usr/share/applications/tovren.desktop
  ./usr/share/mime/packages/tovren.xml
  ./usr/share/icons/hicolor/scalable/apps/tovren.svg
  ./usr/share/tovren/fonts.conf
  ./usr/share/tovren/help/index.html
  ./usr/share/tovren/icons/tovren.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/tovren.png")
done
for file in "${expected[@]}"; do
  grep -qx -- "$file" "$work/files" || fail "$file is not in the package"
done
grep -q '^\./usr/share/tovren/gallery/.*\.qxt$' "$work/files" || fail "no gallery templates"
stray=$(grep -v -e '^\./usr/bin/tovren$' -e '^\./usr/share/' "$work/files" || true)
[ -z "$stray" ] || fail "files outside /usr/bin and /usr/share: $stray"

depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql libqt6svg6 \
  qt6-translations-l10n fonts-liberation fonts-arphic-gbsn00lp fonts-noto-cjk fonts-hanazono; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$package" Version)" = "$version" ] || fail "package version"
echo "$(basename "$package"): $(wc -l <"$work/files") files, $(du -h "$package" | cut -f1)"
echo "Depends: $depends"
