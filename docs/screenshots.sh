#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: the main window with "Desktop" typed into the
# search field (docs/main-window.png), then the expanded window after a press of the elephant
# (docs/expanded-window.png). The program is driven with real mouse clicks and key presses.
#
# Usage: docs/screenshots.sh [build-dir]      (needs xvfb, xauth, xdotool, imagemagick and
#                                              fonts-noto-color-emoji)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
scripts/deps.sh shots
command -v xdotool >/dev/null || { echo "screenshots.sh: please install xdotool" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vantrel >/dev/null

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

HOME="$home" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1100x900x24" bash -c '
    set -euo pipefail
    app=$1
    "$app" & pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT

    # Clicks at a point of the content area: below the menu bar, whose height is what the
    # window has beyond its 800-point content.
    click() { # window x y
        local height bar
        height=$(xdotool getwindowgeometry --shell "$1" | sed -n "s/^HEIGHT=//p")
        bar=$((height - $4))
        xdotool mousemove --window "$1" "$2" $(($3 + bar)) click 1
    }

    main=$(xdotool search --sync --onlyvisible --name "^Vantrel\$" | head -1)
    sleep 1
    click "$main" 260 16 800
    xdotool type --delay 120 Desktop
    sleep 1
    import -window "$main" docs/main-window.png

    click "$main" 979 413 800
    expanded=$(xdotool search --sync --onlyvisible --name "^Vantrel: Expandable Filtered List\$" | head -1)
    sleep 1
    import -window "$expanded" docs/expanded-window.png
' _ "$build/app/vantrel"
echo "docs/main-window.png and docs/expanded-window.png written"
