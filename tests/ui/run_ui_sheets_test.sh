#!/usr/bin/env bash
# Several printing-preferences sheets up at once in one wrenhost process:
# runs `wrenhost preferences T1 --script S1 --and T2 --script S2 ...` under
# the display, each sheet saving into saved<N>.ini, and checks what
# <name>.expect says, one rule a line:
#   exit N               the exit status (default 0)
#   stdout TEXT          a line of stdout equals TEXT
#   no-stdout TEXT       no line of stdout holds TEXT
#   stderr TEXT          stderr contains TEXT
#   stderr-lines N       stderr has exactly N lines
#   saved<N> KEY=VALUE   sheet N's saved ticket has that line
#   not-saved<N> TEXT    sheet N's saved ticket has no line holding TEXT
#   no-save<N>           sheet N saved nothing
#   screenshot NAME      NAME.png was written and is a PNG
#   together             every sheet was shown before any script acted, and
#                        the scripts' actions interleave (between two lines
#                        of one sheet's script a line of another's)
#   run_ui_sheets_test.sh <wrenhost.exe> <out-dir> <name> (<ticket> <script>)...
set -uo pipefail
host="$1" out="$2/$3" name="$3"
shift 3
here="$(cd "$(dirname "$0")" && pwd)"
expect="$here/$name.expect"
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: the preferences need one (tools/test.sh starts Xvfb)" >&2
    exit 77
fi
rm -rf "$out"
mkdir -p "$out/shots"
args=()
n=0
while [ $# -ge 2 ]; do
    n=$((n + 1))
    [ $n = 1 ] || args+=(--and)
    args+=("$1" --save "$out/saved$n.ini" --script "$2" --screenshot "$out/shots")
    shift 2
done
# Wine's text layout (Uniscribe) is not safe for two GUI threads laying out
# text at once: now and then it crashes in its init_script_cache. That is
# Wine's fault, not the sheets': a run that crashed there runs again, at
# most twice, and says so.
for attempt in 1 2 3; do
    rm -rf "$out/shots" "$out"/saved*.ini
    mkdir -p "$out/shots"
    timeout 60 wine "$host" preferences "${args[@]}" >"$out/stdout" 2>"$out/stderr"
    status=$?
    grep -qF 'init_script_cache' "$out/stdout" "$out/stderr" || break
    echo "$name: Wine's Uniscribe crashed in init_script_cache (run $attempt); running again" >&2
done
tr -d '\r' <"$out/stdout" >"$out/stdout.txt"
tr -d '\r' <"$out/stderr" >"$out/stderr.txt"
failed=0
problem() { echo "$name: $*" >&2; failed=1; }
saved() { tr -d '\r' <"$out/saved$1.ini" 2>/dev/null; }
# The sheet numbers of the script lines, in the order they were acted on.
actions() { sed -n 's/^sheet \([0-9]*\) (.*): script line .*/\1/p' "$out/stdout.txt"; }
together() {
    local first_action last_shown
    first_action=$(grep -n -m1 '^sheet [0-9]* (.*): script line ' "$out/stdout.txt" | cut -d: -f1)
    last_shown=$(grep -n '^sheet [0-9]* (.*): sheet shown after ' "$out/stdout.txt" | tail -1 | cut -d: -f1)
    [ "$(grep -c '^sheet [0-9]* (.*): sheet shown after ' "$out/stdout.txt")" = "$n" ] || problem "not all $n sheets were shown"
    [ -n "$first_action" ] && [ -n "$last_shown" ] && [ "$last_shown" -lt "$first_action" ] ||
        problem "a script acted before every sheet was shown"
    # Interleaved: some sheet's actions are not all in one run.
    [ "$(actions | uniq | sort | uniq -d | wc -l)" -gt 0 ] || problem "the scripts ran one after the other: $(actions | tr '\n' ' ')"
}
want_exit=0
while IFS= read -r rule || [ -n "$rule" ]; do
    case "$rule" in
    ''|'#'*) ;;
    "exit "*) want_exit="${rule#exit }" ;;
    "stdout "*) grep -qxF -- "${rule#stdout }" "$out/stdout.txt" || problem "stdout lacks: ${rule#stdout }" ;;
    "no-stdout "*) ! grep -qF -- "${rule#no-stdout }" "$out/stdout.txt" || problem "stdout holds: ${rule#no-stdout }" ;;
    "stderr "*) grep -qF -- "${rule#stderr }" "$out/stderr.txt" || problem "stderr lacks: ${rule#stderr }" ;;
    "stderr-lines "*) [ "$(wc -l <"$out/stderr.txt")" = "${rule#stderr-lines }" ] ||
                      problem "stderr has $(wc -l <"$out/stderr.txt") lines, expected ${rule#stderr-lines }" ;;
    saved[0-9]*" "*) s="${rule%% *}" s="${s#saved}"
                     saved "$s" | grep -qxF -- "${rule#* }" || problem "sheet $s's saved ticket lacks: ${rule#* }" ;;
    not-saved[0-9]*" "*) s="${rule%% *}" s="${s#not-saved}"
                         [ -f "$out/saved$s.ini" ] || problem "sheet $s saved nothing"
                         ! saved "$s" | grep -qF -- "${rule#* }" || problem "sheet $s's saved ticket holds: ${rule#* }" ;;
    no-save[0-9]*) [ ! -e "$out/saved${rule#no-save}.ini" ] || problem "sheet ${rule#no-save} saved a ticket" ;;
    "screenshot "*) f="$out/shots/${rule#screenshot }.png"
                    [ "$(head -c 4 "$f" 2>/dev/null | tail -c 3)" = PNG ] || problem "no screenshot $f" ;;
    together) together ;;
    *) problem "unknown rule in $expect: $rule" ;;
    esac
done <"$expect"
[ "$status" = "$want_exit" ] || problem "exit status $status, expected $want_exit"
if [ "$failed" != 0 ]; then
    echo "--- stdout" >&2; cat "$out/stdout.txt" >&2
    echo "--- stderr" >&2; cat "$out/stderr.txt" >&2
    exit 1
fi
