#!/usr/bin/env bash
# Rewrites catalogue/KEYWORDS_TEXT.txt from catalogue/DEPRECATIONS_TEXT.txt and
# catalogue/keywords-handedit.txt (through the vantrel_keywords tool), then checks it.
# Usage: tools/regenerate-keywords.sh [build dir]   (default: build/keywords)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/keywords}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target regenerate-keywords
cmake --build "$build" --target check-keywords
