#!/usr/bin/env bash
# Installs the built program into a throw-away prefix and uses it the way an office desktop
# would: the installed copy must find its own fonts configuration, help and gallery (not the
# source tree's), print certificates to PDF, and carry a valid desktop entry and file types.
# Usage: install-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d /tmp/tovren-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
prefix=$(cd "$prefix" && pwd -P)

expected=(
  bin/tovren
  share/tovren/fonts.conf share/tovren/help/index.html share/tovren/icons/tovren.svg
  share/applications/tovren.desktop share/mime/packages/tovren.xml
  share/icons/hicolor/scalable/apps/tovren.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/tovren.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
ls "$prefix"/share/tovren/gallery/*.qxt >/dev/null 2>&1 || fail "no gallery templates installed"
# Only the program and its data: no libraries, headers or tests.
unexpected=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/tovren$' -e '^./share/' || true)
[ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"

# The installed program, with no hint from the environment where its data lies.
run() {
  env -u FONTCONFIG_FILE -u TOVREN_DATA_DIR QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    "$@"
}
mkdir -p "$work/home" "$work/office"
about=$(run "$prefix/bin/tovren" --version)
grep -qx "Tovren $version" <<<"$about" || fail "--version says: $about"
grep -qx "程序数据: $prefix/share/tovren" <<<"$about" \
  || fail "the installed program reads its data elsewhere: $about"
# Run from its build folder the program still reads the source tree.
build_about=$(run "$build/app/tovren" --version)
grep -q "^程序数据: .*/data$" <<<"$build_about" || fail "build folder run: $build_about"

(cd "$work/office" && run "$prefix/bin/tovren" demo-data --count 3 >/dev/null \
  && run "$prefix/bin/tovren" build --pdf 证书.pdf >/dev/null 2>&1) || fail "build --pdf failed"
head -c 5 "$work/office/证书.pdf" | grep -q '%PDF-' || fail "build --pdf wrote no PDF"
if command -v pdffonts >/dev/null 2>&1; then
  # Only the installed fonts configuration maps every face of the certificate to Liberation
  # Sans, AR PL SungtiL GB and its bold stand-in; the system's rules alone let some text fall
  # to other faces.
  # Subset faces carry a six-letter tag before their name.
  faces=$(pdffonts "$work/office/证书.pdf" | tail -n +3 | awk '{print $1}' | sed 's/^[A-Z]\{6\}+//' \
    | sort -u | tr '\n' ' ')
  [ "$faces" = "BousungEG-Light-GB LiberationSans NotoSerifCJKsc-Bold " ] \
    || fail "the PDF uses faces the fonts configuration does not name: $faces"
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/tovren.desktop" \
    || fail "desktop-file-validate rejects the desktop entry"
else
  echo "desktop-file-validate not found (package desktop-file-utils): entry not validated"
fi
if command -v update-mime-database >/dev/null 2>&1; then
  complaints=$(XDG_DATA_DIRS="$prefix/share:/usr/share" update-mime-database "$prefix/share/mime" 2>&1 >/dev/null)
  [ -z "$complaints" ] || fail "update-mime-database: $complaints"
  [ -s "$prefix/share/mime/application/x-tovren-template.xml" ] || fail "template type not registered"
fi
echo "installed under $prefix and ran: $(head -n 1 <<<"$about")"
