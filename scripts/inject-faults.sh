#!/usr/bin/env bash
# Measures how many hand-made faults (scripts/faults.txt) the test suite catches. Each fault is
# applied alone by literal replacement in launch/ or lib/, the x86_64 preset is built and the
# suite runs under Wine in a fresh Wine session; the source is restored after every fault.
#   bash scripts/inject-faults.sh [-R ctest-regex] [-o results-file] [fault-id ...]
#   -R  only the tests matching the regex (default: the whole suite)
#   -o  per-fault results (default build/faults-results.txt); build and test logs: build/fault-logs
# Without ids: every fault of the list but the left-out ones (those with an "out:" line). A fault
# whose find text is missing or not unique is reported as not applied.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
regex='' results=build/faults-results.txt
while getopts R:o: opt; do
    case $opt in R) regex=$OPTARG ;; o) results=$OPTARG ;; *) exit 2 ;; esac
done
shift $((OPTIND - 1))
backup=build/fault-backup logs=build/fault-logs

# list [ids] | apply ID (backs up and changes the one file; fails unless the text is found once)
fault_tool() {
    python3 - "$@" <<'EOF'
import pathlib, sys
faults, block = {}, {}
for line in pathlib.Path('scripts/faults.txt').read_text().splitlines() + ['']:
    key, _, value = line.partition(':')
    if not line.strip() and block: faults[block['id']], block = block, {}
    if not line.strip() or line.startswith('#'): continue
    value = value[1:] if key in ('find', 'repl') and value[:1] == ' ' else value.strip()
    block[key] = block[key] + '\n' + value if key in block else value
files = [p for d in ('launch', 'lib') for p in sorted(pathlib.Path(d).rglob('*')) if p.is_file()]
def hits(fault): return [p for p in files for _ in range(p.read_text().count(fault['find']))]
cmd, args = sys.argv[1], sys.argv[2:]
if cmd == 'list':
    print('\n'.join(args or [i for i, f in faults.items() if 'out' not in f]))
else:
    fault = faults.get(args[0]) or sys.exit(f'{args[0]}: no such fault')
    found = hits(fault)
    if len(found) != 1: sys.exit(f'{args[0]}: find text occurs {len(found)} times')
    saved = pathlib.Path('build/fault-backup') / found[0]
    saved.parent.mkdir(parents=True, exist_ok=True)
    saved.write_bytes(found[0].read_bytes())
    found[0].write_text(found[0].read_text().replace(fault['find'], fault['repl']))
EOF
}

restore_source() {
    [ -d "$backup" ] || return 0
    (cd "$backup" && find . -type f) | while read -r f; do cp "$backup/$f" "$f"; done
    rm -rf "$backup"
}
restore_source # a run killed outright left its fault in place

# The Wine environment reads the architecture off the built launcher.exe: build first.
cmake --preset x86_64 >/dev/null && cmake --build --preset x86_64 >/dev/null || exit 1
source scripts/wine-env.sh
wine_env build/x86_64
mkdir -p "$logs" "$(dirname "$results")" build/fault-registry
[ -z "$regex" ] || (cd build/x86_64 && ctest -N -R "$regex" | grep -q 'Total Tests: [1-9]') ||
    { echo "no test matches $regex" && exit 2; }
wine_session_stop # the prefix is made once; its registry is kept as the suite expects it
wine_display_start && wine_prefix_init && wine_display_stop || exit 1
cp "$WINEPREFIX"/*.reg build/fault-registry/
trap 'restore_source; wine_session_stop' EXIT
trap 'exit 130' INT TERM
: >"$results"
run=0 killed=0 survived=0 broken=0 started=$(date +%s)
for id in $(fault_tool list "$@"); do
    t0=$(date +%s) log="$logs/$id.log" run=$((run + 1))
    if ! fault_tool apply "$id" >"$log" 2>&1; then
        result="not applied: $(tail -n 1 "$log")" run=$((run - 1))
    elif ! cmake --build --preset x86_64 >>"$log" 2>&1; then
        result="did not compile" broken=$((broken + 1))
    else
        wine_session_start
        (cd build/x86_64 && timeout -k 10 1800 ctest --timeout 120 --stop-on-failure \
            --output-on-failure ${regex:+-R "$regex"}) </dev/null >>"$log" 2>&1
        status=$?
        wine_session_stop
        # A killed test may leave settings or a disc behind: the next fault starts clean.
        cp build/fault-registry/*.reg "$WINEPREFIX/"
        for d in d e; do rm -rf "${WINE_CDROM_DIR:?}/$d" && mkdir -p "$WINE_CDROM_DIR/$d"; done
        test=$(sed -nE 's/.*Test +#[0-9]+: ([^ ]+) .*\*\*\*.*/\1/p' "$log" | head -n 1)
        result="killed by ${test:-ctest (exit $status)}" killed=$((killed + 1))
        [ "$status" -eq 0 ] && result="survived" killed=$((killed - 1)) survived=$((survived + 1))
    fi
    restore_source
    printf '%-30s %-44s %4d s\n' "$id" "$result" "$(($(date +%s) - t0))" | tee -a "$results"
done
echo "faults: $run run, $killed killed, $survived survived, $broken did not compile" \
    "($(($(date +%s) - started)) s)" | tee -a "$results"
cmake --build --preset x86_64 >/dev/null # the build matches the restored source again
