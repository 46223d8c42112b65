#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
set -e
PACKAGES="g++ make cmake clang-format qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core dpkg-dev file desktop-file-utils libxml2-utils shared-mime-info poppler-utils qt6-translations-l10n clang libclang-rt-14-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" != "0" ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "Missing:$missing" >&2
        echo "Run this as root, or install sudo, to install them." >&2
        exit 1
    fi
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing:$missing"
if ! $SUDO apt-get install -y --no-install-recommends $missing; then
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends $missing
fi
