#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Brevimar need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev qt6-qpa-plugins qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libsqlite3-dev sqlite3
    libxcb1-dev libxcb-screensaver0-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-keysyms1-dev
    libxcb-res0-dev libxcb-randr0-dev
    libecal2.0-dev libical-dev
    libwayland-dev wayland-protocols plasma-wayland-protocols
    libcanberra-dev sound-theme-freedesktop
    fonts-material-design-icons-iconfont libfreetype-dev
    googletest libgmock-dev libbenchmark-dev
    xvfb xauth openbox dunst xdotool x11-utils x11-xserver-utils dbus dbus-x11
    at-spi2-core python3-gi gir1.2-atspi-2.0
    evolution-data-server pipewire-bin desktop-file-utils libglib2.0-bin
    pipewire gsettings-desktop-schemas
    sway xwayland foot
    trayer
    clang clang-format tzdata locales-all
    appstream file
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
