#!/usr/bin/env bash
# Seeded faults: plants each fault of tests/mutants.txt in the source, one at a
# time, builds only the tests named for it in a build directory of its own
# (build-mutants), runs them and puts the source back. Every fault must make
# at least one of its tests fail.
#
#   scripts/mutants.sh                   every fault
#   scripts/mutants.sh --only LIST       a comma-separated list of ids, id regexes,
#                                        layers or folders (ONLY=... does the same)
#   scripts/mutants.sh --check           only checks that every text is found once
#   scripts/mutants.sh --list            prints id, layer and file of every fault
#   scripts/mutants.sh --table           the list as a Markdown table (docs/testing.md)
#
# Environment: JOBS (parallel jobs, default nproc), MUTANTS_BUILD (build
# directory), MUTANTS_LIST (the list), SKIP_BASELINE=1 (do not first check
# that the chosen tests pass on the unchanged source), TEST_TIMEOUT (seconds
# per test, default 300).
#
# Prints one line per fault: caught, MISSED, not-applied (the text to replace
# is no longer found exactly once: the code changed, the list must follow),
# build-failed, no-tests (the test regex matches nothing) or baseline-fails
# (the tests fail without the fault, which proves nothing). Exits 0 only when
# every chosen fault was caught.

# The whole script is one block, read before it runs: editing the script or
# the list during a run cannot change what the run does.
{
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
list=${MUTANTS_LIST:-$root/tests/mutants.txt}
build=${MUTANTS_BUILD:-$root/build-mutants}
jobs=${JOBS:-$(nproc)}
timeout=${TEST_TIMEOUT:-300}
only=${ONLY:-}
mode=run

while [ $# -gt 0 ]; do
    case $1 in
    --only) only=$2; shift 2 ;;
    --only=*) only=${1#--only=}; shift ;;
    --check) mode=check; shift ;;
    --list) mode=list; shift ;;
    --table) mode=table; shift ;;
    -h|--help) sed -n '2,23p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "mutants: unknown argument $1" >&2; exit 2 ;;
    esac
done

export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1 QT_QPA_PLATFORM=offscreen

# ---- the list ---------------------------------------------------------------
# Blocks of "key = value" lines, each opened by "[id]"; "find" and "replace"
# come in pairs and may repeat. Values are taken literally; a line "| text"
# continues the value above it on a new line (the text after "| " verbatim).
ids=() layers=() files=() faults=() pairs=() targets=() regexes=()
sep=$'\x1f'

add_block() {
    [ -n "${cur_id:-}" ] || return 0
    if [ -z "$cur_file" ] || [ -z "$cur_pairs" ] || [ -z "$cur_build" ] || [ -z "$cur_tests" ]; then
        echo "mutants: $cur_id in $list lacks file, find/replace, build or tests" >&2
        exit 2
    fi
    ids+=("$cur_id") layers+=("$cur_layer") files+=("$cur_file") faults+=("$cur_fault")
    pairs+=("$cur_pairs") targets+=("$cur_build") regexes+=("$cur_tests")
}

cur_id=
while IFS= read -r line || [ -n "$line" ]; do
    case $line in
    ''|'#'*) continue ;;
    '['*']')
        add_block
        cur_id=${line#[}; cur_id=${cur_id%]}
        cur_layer= cur_file= cur_fault= cur_pairs= cur_build= cur_tests= pending=
        continue ;;
    esac
    if [[ $line =~ ^\ *\|\ ?(.*)$ ]]; then
        case $key in
        find) pending+=$'\n'${BASH_REMATCH[1]} ;;
        replace) cur_pairs=${cur_pairs%"$sep"}$'\n'${BASH_REMATCH[1]}$sep ;;
        *) echo "mutants: a continuation line after $key in $list" >&2; exit 2 ;;
        esac
        continue
    elif [[ $line =~ ^([a-z]+)\ *=\ ?(.*)$ ]]; then
        key=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]}
    else
        echo "mutants: cannot read line in $list: $line" >&2
        exit 2
    fi
    case $key in
    layer) cur_layer=$value ;;
    file) cur_file=$value ;;
    fault) cur_fault=$value ;;
    find) pending=$value ;;
    replace) cur_pairs+="$pending$sep$value$sep"; pending= ;;
    build) cur_build=$value ;;
    tests) cur_tests=$value ;;
    *) echo "mutants: unknown key $key in $list" >&2; exit 2 ;;
    esac
done < "$list"
add_block

# ---- the choice -----------------------------------------------------------------
chosen=()
for i in "${!ids[@]}"; do
    if [ -z "$only" ]; then
        chosen+=("$i")
        continue
    fi
    IFS=, read -ra wanted <<< "$only"
    for w in "${wanted[@]}"; do
        w=${w// /}
        [ -n "$w" ] || continue
        if [[ ${ids[$i]} =~ ^($w)$ ]] || [ "${layers[$i]}" = "$w" ] || [[ ${files[$i]} == "${w%/}/"* ]]; then
            chosen+=("$i")
            break
        fi
    done
done
if [ ${#chosen[@]} -eq 0 ]; then
    echo "mutants: no fault matches '$only'" >&2
    exit 2
fi

if [ "$mode" = table ]; then
    echo '| id | layer | file | fault | tests (target: ctest regex) |'
    echo '|---|---|---|---|---|'
    for i in "${chosen[@]}"; do
        printf '| `%s` | %s | `%s` | %s | %s: `%s` |\n' "${ids[$i]}" "${layers[$i]}" "${files[$i]}" \
            "${faults[$i]//|/\\|}" "${targets[$i]}" "${regexes[$i]//|/\\|}"
    done
    exit 0
fi

if [ "$mode" = list ]; then
    for i in "${chosen[@]}"; do
        printf '%-28s %-9s %s\n' "${ids[$i]}" "${layers[$i]}" "${files[$i]}"
    done
    exit 0
fi

# ---- planting and restoring -----------------------------------------------------------
backup=$build/mutant-backup
logs=$build/mutant-logs
mkdir -p "$backup" "$logs"
planted=

# Replaces every find text of fault $1 in its file (each must occur exactly
# once); with $2 = check, only counts. Prints what is wrong.
plant() {
    local i=$1 how=${2:-plant}
    python3 - "$root/${files[$i]}" "$how" "${pairs[$i]}" <<'EOF'
import sys
path, how, raw = sys.argv[1], sys.argv[2], sys.argv[3]
parts = raw.split('\x1f')[:-1]
try:
    with open(path, encoding='utf-8', newline='') as f:
        text = f.read()
except OSError as e:
    print(f'cannot read {path}: {e.strerror}')
    sys.exit(1)
for find, replace in zip(parts[0::2], parts[1::2]):
    n = text.count(find)
    if n != 1:
        print(f'found {n} times: {find!r}')
        sys.exit(1)
    if find == replace:
        print(f'replacement equals the text: {find!r}')
        sys.exit(1)
    text = text.replace(find, replace)
if how == 'plant':
    with open(path, 'w', encoding='utf-8', newline='') as f:
        f.write(text)
EOF
}

restore() {
    [ -n "$planted" ] || return 0
    if [ -f "$backup/$planted" ]; then
        # A copy, not a move: the file gets a new time, so the next build
        # compiles the true source again.
        cp "$backup/$planted" "$root/$planted" && rm -f "$backup/$planted"
    fi
    planted=
}
# Ctrl-C reaches the build or the test run and this script alike (one
# process group); the trap then puts the source back. A TERM sent to this
# script alone takes effect when the running build or test run ends.
interrupted() {
    restore
    echo
    echo "mutants: interrupted, source restored" >&2
    exit 130
}
trap restore EXIT
trap interrupted INT TERM HUP

# One run at a time on a source tree: a second one would take the first
# one's planted fault for the source (or put it back under its feet).
exec 9> "$build/mutants.lock"
if ! flock -n 9; then
    echo "mutants: another run is working in $build" >&2
    exit 2
fi

# A run that was killed hard left its copy behind: put it back first.
while IFS= read -r -d '' left; do
    rel=${left#"$backup"/}
    echo "mutants: restoring $rel left planted by an earlier run" >&2
    cp "$left" "$root/$rel" && rm -f "$left"
done < <(find "$backup" -type f -print0)

if [ "$mode" = check ]; then
    bad=0
    for i in "${chosen[@]}"; do
        if ! why=$(plant "$i" check); then
            printf '%-28s not-applied  %s: %s\n' "${ids[$i]}" "${files[$i]}" "$why"
            bad=1
        fi
    done
    [ $bad -eq 0 ] && echo "mutants: all ${#chosen[@]} texts found exactly once"
    exit $bad
fi

# ---- the build directory, configured like the main one -----------------------------
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja > "$logs/configure.log" 2>&1 || {
        echo "mutants: configuring $build failed, see $logs/configure.log" >&2
        exit 2
    }
fi

build_targets() {   # $1 = space-separated targets, $2 = log
    # shellcheck disable=SC2086
    cmake --build "$build" -j "$jobs" --target $1 > "$2" 2>&1
}

count_tests() {
    ctest --test-dir "$build" -N -R "$1" 2>/dev/null | sed -n 's/^Total Tests: *//p'
}

run_tests() {   # $1 = regex, $2 = log; returns ctest's status
    ctest --test-dir "$build" -R "$1" -j "$jobs" --timeout "$timeout" --stop-on-failure \
        --no-tests=error --output-on-failure > "$2" 2>&1
}

failed_names() {   # the failing tests a ctest log names, at most $2 of them
    awk -v max="${2:-1000}" '/The following tests FAILED/ { on = 1; next }
        on && match($0, /^[[:space:]]*[0-9]+ - /) {
            name = substr($0, RLENGTH + 1); sub(/ \([^()]*\)$/, "", name)
            if (n < max) printf "%s%s", (n ? " " : ""), name; else if (n == max) printf " ..."
            n++ }' "$1"
}

declare -A status detail
start=$(date +%s)

# The chosen tests must pass on the unchanged source, else a failure proves nothing.
all_targets=$(for i in "${chosen[@]}"; do echo "${targets[$i]}"; done | tr ' ' '\n' | sort -u | tr '\n' ' ')
echo "mutants: building $all_targets" >&2
if ! build_targets "$all_targets" "$logs/baseline-build.log"; then
    echo "mutants: the unchanged source does not build, see $logs/baseline-build.log" >&2
    exit 2
fi
if [ "${SKIP_BASELINE:-0}" != 1 ]; then
    # Each regex once (CTest's regular expressions take few groups, so they
    # are not joined into one).
    echo "mutants: running the chosen tests on the unchanged source" >&2
    declare -A baseline
    for i in "${chosen[@]}"; do
        regex=${regexes[$i]}
        if [ -z "${baseline[$regex]:-}" ]; then
            baseline[$regex]=ok
            if [ "$(count_tests "$regex")" = 0 ]; then
                baseline[$regex]=none
            elif ! ctest --test-dir "$build" -R "$regex" -j "$jobs" --timeout "$timeout" \
                    > "$logs/baseline.log" 2>&1; then
                baseline[$regex]=$(failed_names "$logs/baseline.log" 3)
                echo "mutants: failing without any fault: ${baseline[$regex]}" >&2
            fi
        fi
        case ${baseline[$regex]} in
        ok) ;;
        none) status[$i]=no-tests ;;
        *) status[$i]=baseline-fails; detail[$i]=${baseline[$regex]} ;;
        esac
    done
fi

for i in "${chosen[@]}"; do
    [ -z "${status[$i]:-}" ] || continue
    id=${ids[$i]} file=${files[$i]} log=$logs/${ids[$i]}.log
    printf 'mutants: %-28s ' "$id" >&2
    if [ "$(count_tests "${regexes[$i]}")" = 0 ]; then
        status[$i]=no-tests
    else
        mkdir -p "$(dirname "$backup/$file")"
        cp "$root/$file" "$backup/$file"
        planted=$file
        if ! why=$(plant "$i"); then
            status[$i]=not-applied
            detail[$i]=$why
            rm -f "$backup/$file"
            planted=
        elif ! build_targets "${targets[$i]}" "$log"; then
            status[$i]=build-failed
            detail[$i]="see $log"
        elif run_tests "${regexes[$i]}" "$log.tests"; then
            status[$i]=MISSED
        else
            status[$i]=caught
            detail[$i]=$(failed_names "$log.tests" 3)
        fi
        restore
    fi
    echo "${status[$i]}" >&2
done

# Rebuild the chosen targets from the true source, so that the directory is
# ready for the next run and holds no planted fault.
build_targets "$all_targets" "$logs/final-build.log" || echo "mutants: rebuilding the true source failed" >&2

echo
printf '%-28s %-14s %s\n' id result "failing tests / reason"
bad=0
for i in "${chosen[@]}"; do
    printf '%-28s %-14s %s\n' "${ids[$i]}" "${status[$i]}" "${detail[$i]:-}"
    [ "${status[$i]}" = caught ] || bad=$((bad + 1))
done
echo
echo "mutants: ${#chosen[@]} faults, $(( ${#chosen[@]} - bad )) caught, $bad not, in $(( ($(date +%s) - start) / 60 )) min"
[ $bad -eq 0 ]
exit
}
