#!/bin/sh
# Prepares the working directory with the shipped data files on first use and
# starts the program there. All program files live in the working directory.
set -e
BUILD=${1:-build}
WORKDIR=${2:-workdir}
# What follows the build and working folders goes to the program.
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$ROOT" && cd "$BUILD" && pwd)

mkdir -p "$ROOT/$WORKDIR"
cd "$ROOT/$WORKDIR"
# Copy what is missing; never overwrite what the user changed.
for f in "$ROOT"/data/*; do
    [ -f "$f" ] || continue
    [ -e "$(basename "$f")" ] || cp "$f" .
done
if [ -d "$ROOT/data/samples" ]; then
    # The sample programs and the sample site that keeps some of them
    # together (its bus devices are those of bus-sim.ini, copied above).
    for f in "$ROOT"/data/samples/*.zpg "$ROOT"/data/samples/*.zsite; do
        [ -f "$f" ] || continue
        [ -e "$(basename "$f")" ] || cp "$f" .
    done
fi

if [ -x "$BUILD/ui/zendrik" ]; then
    exec "$BUILD/ui/zendrik" "$@"
fi
# Without the desktop program: show what the shipped samples hold.
for f in *.zpg; do
    [ -f "$f" ] || continue
    echo "== $f"
    "$BUILD/cli/zendrik-cli" info "$f" || true
done
