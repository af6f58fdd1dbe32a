#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, installs it with apt as a user would,
# checks what it put in place, starts the installed program once, and removes the package again.
#   scripts/check-package.sh [BUILD_DIR]     (default build/ci; needs root)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
rm -f "$build"/marevo-notes_*.deb
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$PWD/$build"/marevo-notes_*.deb)
# The version project() gave the build.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
test -n "$version"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" > /dev/null
trap 'apt-get remove -y -q marevo-notes > /dev/null' EXIT

desktop-file-validate /usr/share/applications/org.marevo.Notes.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.marevo.Notes.metainfo.xml > /dev/null
test -f /usr/share/icons/hicolor/scalable/apps/marevo-notes.svg
test -f /usr/share/icons/hicolor/48x48/apps/marevo-notes.png
test -f /usr/share/doc/marevo-notes/copyright && test -f /usr/share/doc/marevo-notes/README.md
man -w marevo-notes > /dev/null 2>&1 || test -f /usr/share/man/man1/marevo-notes.1.gz || test -f /usr/share/man/man1/marevo-notes.1
/usr/bin/marevo-notes --version | grep -qxF "marevo-notes $version"

# Started as an ordinary user it keeps its data in that user's data folder, not beside /usr/bin.
home=$(mktemp -d)
chmod 755 "$home"
chown nobody "$home"
runuser -u nobody -- env HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen \
    timeout 5 /usr/bin/marevo-notes > /dev/null 2>&1 || true
test -d "$home/data/marevo-notes"
test ! -e /usr/bin/settings.xml
rm -rf "$home"
echo "package check: $(basename "$deb") installs, validates and starts"

# On a clean Debian 12 (a minimal system made with debootstrap) apt must find every dependency itself.
if [ "${MAREVO_CLEAN_INSTALL_CHECK:-1}" != 0 ] && command -v debootstrap > /dev/null; then
    root=$(mktemp -d "$PWD/$build/clean-debian.XXXXXX")
    chmod 755 "$root"
    cleanup_root() { umount "$root/proc" 2> /dev/null || true; rm -rf "$root"; }
    trap 'cleanup_root; apt-get remove -y -q marevo-notes > /dev/null' EXIT
    # Without the archive (no network) there is no clean system to try; that says nothing of the package.
    if ! debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian > "$build/debootstrap.log" 2>&1
    then
        tail -n 5 "$build/debootstrap.log"
        echo "package check: no minimal Debian 12 could be made here; clean install not checked"
        exit 0
    fi
    cp "$deb" "$root/tmp/"
    mount -t proc proc "$root/proc"
    chroot "$root" /bin/bash -euc "
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q > /dev/null
        apt-get install -y -q --no-install-recommends /tmp/$(basename "$deb") > /tmp/install.log
        marevo-notes --version | grep -qxF 'marevo-notes $version'
        useradd -m user
        su user -c 'cd && QT_QPA_PLATFORM=offscreen timeout 5 marevo-notes > /dev/null 2>&1; test \$? -eq 124'
        test -d /home/user/.local/share/marevo-notes"
    echo "package check: $(basename "$deb") installs and starts on a minimal Debian 12"
fi
