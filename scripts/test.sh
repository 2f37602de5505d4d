#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless (offscreen Qt).
# Usage: scripts/test.sh [--sanitize] [--build-dir DIR]
#   --sanitize   build with clang, AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=0
build=""
while [ $# -gt 0 ]; do
    case "$1" in
        --sanitize) sanitize=1 ;;
        --build-dir) build="$2"; shift ;;
        *) echo "test.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

jobs=$(nproc 2>/dev/null || echo 2)
# CI builds treat every compiler warning as an error.
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if [ "$sanitize" -eq 1 ]; then
    scripts/deps.sh test package sanitize
    build=${build:-build/sanitize}
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_WERROR=$werror >/dev/null
else
    scripts/deps.sh test package
    build=${build:-build/test}
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=$werror >/dev/null
fi
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$jobs"
