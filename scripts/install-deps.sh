#!/usr/bin/env bash
# Installs what building, testing and running the organiser needs (Debian 12).
# With every package already there it does nothing: an edit-test loop needs neither the network nor sudo.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev qt6-svg-dev qt6-tools-dev
    qt6-qpa-plugins libqt6svg6 libqt6opengl6-dev
    libgl-dev libvulkan-dev libxkbcommon-dev libxkbcommon-x11-dev
    libxcb1-dev libxcb-keysyms1-dev libxcb-xkb-dev
    libbenchmark-dev libsodium-dev libical-dev libicu-dev qtkeychain-qt6-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool trayer dbus python3-dbusmock python3-icalendar radicale python3-caldav gnome-keyring openssl dunst ccache tzdata
    help2man desktop-file-utils appstream fonts-liberation debootstrap
)
missing=()
for package in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2> /dev/null)" != installed ]; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
