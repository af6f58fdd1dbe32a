#!/usr/bin/env bash
# Installs what building, testing and running the organiser needs (Debian 12).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev qt6-svg-dev qt6-tools-dev \
    qt6-qpa-plugins libqt6svg6 libqt6opengl6-dev \
    libgl-dev libvulkan-dev libxkbcommon-dev libxkbcommon-x11-dev \
    libxcb1-dev libxcb-keysyms1-dev libxcb-xkb-dev \
    libbenchmark-dev \
    clang libclang-rt-14-dev \
    xvfb xauth xdotool trayer dbus ccache \
    help2man desktop-file-utils appstream fonts-liberation debootstrap
