#!/usr/bin/env bash
# Installs what is missing, builds Vantrel (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target vantrel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "vantrel: no display found; run it on a desktop, or under Xvfb: xvfb-run -a build/release/app/vantrel" >&2
    exit 1
fi
exec build/release/app/vantrel "$@"
