#!/bin/sh
# Installs the Debian packages the build, the tests and the desktop program need.
# Idempotent: packages that are already present are not touched, and apt is only
# called when something is missing.
set -e

PACKAGES="cmake ninja-build g++ pkg-config ccache
qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev qt6-translations-l10n
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth poppler-utils
clang libclang-rt-14-dev
qt6-svg-dev lintian desktop-file-utils appstream dpkg-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" != "0" ]; then
    SUDO="sudo"
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
