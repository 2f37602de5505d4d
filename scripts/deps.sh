#!/usr/bin/env bash
# Installs the Debian 12 packages that Vantrel needs, when they are missing.
# Usage: scripts/deps.sh [build|run|test|package|format|sanitize|shots|bench]...
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev fonts-dejavu-core)
for need in "$@"; do
    case "$need" in
        build) ;;
        # the SARIF report's schema check; reading the windows over AT-SPI under Xvfb
        test) packages+=(python3-jsonschema xvfb xauth xdotool dbus dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi) ;;
        run) packages+=(fonts-noto-color-emoji) ;;
        package) packages+=(desktop-file-utils appstream dpkg-dev lintian fakeroot file) ;; # the install and .deb tests
        format) packages+=(clang-format) ;;
        sanitize) packages+=(clang-14 libclang-rt-14-dev) ;;
        shots) packages+=(xvfb xauth imagemagick fonts-noto-color-emoji) ;;
        bench) packages+=(libbenchmark-dev hyperfine xvfb xauth) ;;
        *) echo "deps.sh: unknown need '$need'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
