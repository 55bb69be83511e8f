#!/bin/sh
# A short fuzz run as part of the tests: FUZZER SECONDS SEED_DIR...
# New inputs go to a scratch folder, never into the source tree. Exits 77
# (skipped) when the fuzzer was not built: `make test` builds it with clang.
set -e
fuzzer=$1
seconds=$2
shift 2
if [ ! -x "$fuzzer" ]; then
    echo "$fuzzer not built (make test builds the fuzzers with clang)"
    exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
exec_dir=$(dirname "$fuzzer")
# A crash must fail the test: libFuzzer's own exit code for it (77) is the
# one CTest takes for "skipped".
"$fuzzer" -seed=1 -max_total_time="$seconds" -max_len=70000 -timeout=10 -rss_limit_mb=2048 -error_exitcode=1 \
    -artifact_prefix="$exec_dir/" -print_final_stats=1 "$scratch" "$@"
