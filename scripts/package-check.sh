#!/bin/sh
# Builds the Debian package, checks it (lintian, desktop file, AppStream),
# installs it on this machine, runs the installed programs once (the
# command line on a shipped sample, the desktop program offscreen for a
# moment) in a scratch home folder, and removes the package again.
set -e
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT/$BUILD"
rm -f zendrik_*.deb
cpack -G DEB >/dev/null
DEB=$(ls "$PWD"/zendrik_*.deb)
echo "package: $DEB"

desktop-file-validate "$ROOT/packaging/org.zendrik.Zendrik.desktop"
appstreamcli validate --no-net "$ROOT/packaging/org.zendrik.Zendrik.metainfo.xml" >/dev/null
lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$DEB"

SUDO=""
[ "$(id -u)" = "0" ] || SUDO="sudo"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$DEB" >/dev/null
scratch=$(mktemp -d)
cleanup() {
    rm -rf "$scratch"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zendrik >/dev/null
}
trap cleanup EXIT

export HOME="$scratch"
unset XDG_DATA_HOME
/usr/bin/zendrik-cli --version
/usr/bin/zendrik-cli --type 4 info /usr/share/zendrik/samples/Schule.zpg | grep -q "^family: 731$"
# The first run filled the user's working folder with the shipped files.
test -f "$scratch/.local/share/zendrik/zendrik.sys"
test -f "$scratch/.local/share/zendrik/Schule.zpg"
/usr/bin/zendrik --version
# The help of every language, with the screenshots its pages show.
for lang in de en fr; do test -f "/usr/share/zendrik/help/$lang/index.html"; done
test -f /usr/share/zendrik/help/img/en/filter.png
# The desktop program starts and keeps running until it is stopped.
rc=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/zendrik || rc=$?
if [ "$rc" != "124" ]; then
    echo "the installed desktop program ended with $rc instead of running" >&2
    exit 1
fi
# *.zpg is a type of its own in the MIME database, and the desktop program
# is registered for it (the database triggers ran on installation).
grep -q "^[0-9]*:application/x-zendrik-program:\*\.zpg" /usr/share/mime/globs2
grep -q "^application/x-zendrik-program=.*org\.zendrik\.Zendrik\.desktop" /usr/share/applications/mimeinfo.cache
dpkg-deb -f "$DEB" Recommends | grep -q qt6-translations-l10n
echo "installed package works"
cleanup
trap - EXIT
test ! -e /usr/bin/zendrik
echo "package removed"
