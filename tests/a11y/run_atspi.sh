#!/usr/bin/env bash
# Reads the running program as a screen reader does: a real X server (Xvfb), a private session
# bus with accessibility switched on, the program on the xcb platform, and read_window.py
# walking its controls over AT-SPI while xdotool types as a user would.
# Usage: run_atspi.sh <vantrel executable>
set -euo pipefail
app=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset AT_SPI_BUS_ADDRESS

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null

# read_window.py starts the program itself, once its event listener is registered.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
/usr/bin/python3 "$here/read_window.py" "$app"
