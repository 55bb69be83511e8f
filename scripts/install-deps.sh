#!/bin/sh
# Installs the Debian packages the build, the tests and the desktop program need.
# Idempotent: packages that are already present are not touched, and apt is only
# called when something is missing.
set -e

PACKAGES="cmake ninja-build g++ pkg-config ccache
qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev qt6-translations-l10n
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth poppler-utils
clang libclang-rt-14-dev mold
qt6-svg-dev lintian desktop-file-utils appstream dpkg-dev
knxd"

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
# knxd comes with a system service that would join the KNX multicast group on
# the machine's network: the tests start their own knxd in a private network
# namespace, so the package's service is kept from starting now and masked
# for later boots.
policy=""
case "$missing" in
*knxd*)
    if [ ! -e /usr/sbin/policy-rc.d ]; then
        printf '#!/bin/sh\nexit 101\n' | $SUDO tee /usr/sbin/policy-rc.d >/dev/null
        $SUDO chmod 755 /usr/sbin/policy-rc.d
        policy=1
    fi
    if command -v systemctl >/dev/null 2>&1; then
        $SUDO systemctl mask knxd.service knxd.socket >/dev/null 2>&1 || true
    fi
    ;;
esac
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing || status=$?
if [ -n "$policy" ]; then
    $SUDO rm -f /usr/sbin/policy-rc.d
fi
if command -v systemctl >/dev/null 2>&1 && [ -d /run/systemd/system ]; then
    $SUDO systemctl stop knxd.service knxd.socket >/dev/null 2>&1 || true
fi
exit ${status:-0}
