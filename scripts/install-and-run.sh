#!/usr/bin/env bash
# One step from a fresh Debian 12 machine to the main window: installs the dependencies, builds,
# fills a demo office folder with generated graduates (once) and opens the program there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

tovren="$root/build/app/tovren"
office=${TOVREN_DEMO_DIR:-$root/demo-office}
mkdir -p "$office"
cd "$office"
if [ ! -f "毕业信息.db" ]; then
  "$tovren" demo-data --count "${TOVREN_DEMO_COUNT:-2000}"
fi

export LANG=${LANG:-C.UTF-8}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the window on a virtual X display (xvfb-run)." >&2
  exec xvfb-run -a "$tovren" "$@"
fi
exec "$tovren" "$@"
