#!/usr/bin/env bash
# The second way to set up: installs the build dependencies, builds, makes the Debian package
# (build/tovren_VERSION_ARCH.deb) and installs it with apt, which brings the runtime packages it
# names. Afterwards `tovren` is on the PATH and in the desktop's menu, and .qxf and .qxp files
# open with it. `apt-get remove tovren` takes it away again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVREN_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

rm -f "$build"/tovren_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/tovren_*.deb | head -n 1)
echo "Built $package"
[ "${TOVREN_PACKAGE_ONLY:-0}" = 1 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "$package" >/dev/null
echo "Installed: $(command -v tovren) ($(tovren --version | head -n 1))"
