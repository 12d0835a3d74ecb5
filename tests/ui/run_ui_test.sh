#!/usr/bin/env bash
# One printing-preferences test: runs `wrenhost preferences` with a script
# under the display and checks what <name>.expect says, one rule a line:
#   exit N             the exit status (default 0)
#   stdout TEXT        a line of stdout equals TEXT
#   stderr TEXT        stderr contains TEXT
#   saved KEY=VALUE    the saved ticket has that line (values are quoted)
#   no-save            nothing was saved
#   screenshot NAME    NAME.png was written and is a PNG
#   print              the saved ticket prints (wrenhost print)
#   printed TEXT       the printed job holds TEXT (after print)
#   not-printed TEXT   the printed job does not hold TEXT
#   printed-in-prolog TEXT  the printed job's prolog holds TEXT
#   printed-per-page TEXT   every page of the printed job holds TEXT
#   ini FILE SECTION KEY=VALUE  FILE of the installed driver folder has
#                      that value (SECTION without brackets, or in its
#                      brackets when it has spaces: [Overlay_Info 0])
#   restore FILE       FILE of the installed driver folder is put back as it
#                      was before the run (the other tests share it)
#   update-order K...  the features K... were written back in this order
#                      (their first "update K=..." lines of stdout)
#   then TEXT          a line of stdout equals TEXT and comes after the line
#                      the previous "then" rule found
#   netopt SECTION KEY=VALUE  before the run, the network option-library
#                      stand-in answers so (zenetopt.ini, put back afterwards)
#   run_ui_test.sh <wrenhost.exe> <out-dir> <name> <ticket> <script> [wrenhost options]
# With WREN_UI_COMMAND=print the ticket is printed instead (into saved.prn,
# which the print rules then read) and the script answers the dialogs the
# job puts up; the script "none" prints without one.
set -uo pipefail
host="$1" out="$2/$3" name="$3" ticket="$4" script="$5"
shift 5
here="$(cd "$(dirname "$0")" && pwd)"
expect="$here/$name.expect"
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: the preferences need one (tools/test.sh starts Xvfb)" >&2
    exit 77
fi
rm -rf "$out"
mkdir -p "$out/shots"
driver_dir="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/system32/spool/drivers/x64/3"
netopt_ini="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/system32/zenetopt.ini"
# KEY=VALUE set in [SECTION] of an INI file whose key is already there;
# fails when the file has no such key.
ini_set() {
    local file="$1"
    SECTION="[$2]" KEY="${3%%=*}" VALUE="${3#*=}" awk '
        /^\[/ { inside = (substr($0, 1, length(ENVIRON["SECTION"])) == ENVIRON["SECTION"]) }
        inside && index($0, ENVIRON["KEY"] "=") == 1 { print ENVIRON["KEY"] "=" ENVIRON["VALUE"]; done = 1; next }
        { print }
        END { exit done ? 0 : 1 }' "$file" >"$file.new" && mv "$file.new" "$file" || { rm -f "$file.new"; return 1; }
}
# Files the scenario changes in the installed driver folder or in the
# network stand-in's answers: kept now, put back whatever happens to the
# run. They are kept beside the prefix, not in the run's folder, so that a
# run killed before its clean-up is mended by the next one.
restored=()
answers=()
while IFS= read -r rule || [ -n "$rule" ]; do
    case "$rule" in
    "restore "*) restored+=("${rule#restore }") ;;
    # A file the run may write, such as a stand-in's log, starts absent.
    "driver-file "*) read -r f _ <<<"${rule#driver-file }"; rm -f "$driver_dir/$f" ;;
    "netopt "*) answers+=("${rule#netopt }") ;;
    esac
done <"$expect"
kept="${WINEPREFIX:-$HOME/.wine}/ui-test-kept"
put_back() {
    local f
    for f in "$kept"/driver-*; do [ -f "$f" ] && mv "$f" "$driver_dir/${f##*/driver-}"; done
    [ -f "$kept/zenetopt.ini" ] && mv "$kept/zenetopt.ini" "$netopt_ini"
    return 0
}
put_back
mkdir -p "$kept"
trap put_back EXIT
for f in "${restored[@]}"; do cp "$driver_dir/$f" "$kept/driver-$f" || { echo "$name: no $driver_dir/$f" >&2; exit 1; }; done
if [ ${#answers[@]} -gt 0 ]; then
    cp "$netopt_ini" "$kept/zenetopt.ini" || { echo "$name: no $netopt_ini" >&2; exit 1; }
    for a in "${answers[@]}"; do
        read -r section pair <<<"$a"
        ini_set "$netopt_ini" "$section" "$pair" || { echo "$name: zenetopt.ini has no [$section] ${pair%%=*}" >&2; exit 1; }
    done
fi
# The value of KEY in [SECTION] of an INI file (any encoding Wine writes).
ini_value() {
    iconv -f "$(file -b --mime-encoding "$1" | sed 's/^binary$/utf-8/')" -t utf-8 "$1" 2>/dev/null | tr -d '\r' |
        sed 's/^\xEF\xBB\xBF//' | awk -v section="[$2]" -v key="$3" '
            /^\[/ { inside = ($0 == section); next }
            inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}
if [ "${WREN_UI_COMMAND:-preferences}" = print ]; then
    scripted=()
    [ "$script" = none ] || scripted=(--script "$script" --screenshot "$out/shots")
    timeout 60 wine "$host" print "$ticket" --output "$out/saved.prn" "${scripted[@]}" "$@" \
        >"$out/stdout" 2>"$out/stderr"
else
    timeout 60 wine "$host" preferences "$ticket" --save "$out/saved.ini" --script "$script" \
        --screenshot "$out/shots" "$@" >"$out/stdout" 2>"$out/stderr"
fi
status=$?
tr -d '\r' <"$out/stdout" >"$out/stdout.txt"
failed=0
problem() { echo "$name: $*" >&2; failed=1; }
want_exit=0
after=0
while IFS= read -r rule || [ -n "$rule" ]; do
    case "$rule" in
    ''|'#'*) ;;
    "exit "*) want_exit="${rule#exit }" ;;
    "stdout "*) grep -qxF -- "${rule#stdout }" "$out/stdout.txt" || problem "stdout lacks: ${rule#stdout }" ;;
    "stderr "*) grep -qF -- "${rule#stderr }" "$out/stderr" || problem "stderr lacks: ${rule#stderr }" ;;
    "saved "*) [ -f "$out/saved.ini" ] && tr -d '\r' <"$out/saved.ini" | grep -qxF -- "${rule#saved }" ||
                   problem "saved ticket lacks: ${rule#saved }" ;;
    no-save) [ ! -e "$out/saved.ini" ] || problem "a ticket was saved" ;;
    "screenshot "*) f="$out/shots/${rule#screenshot }.png"
                    [ "$(head -c 4 "$f" 2>/dev/null | tail -c 3)" = PNG ] || problem "no screenshot $f" ;;
    print) timeout 60 wine "$host" print "$out/saved.ini" --output "$out/saved.prn" >"$out/print.log" 2>&1 ||
               problem "the saved ticket does not print: $(cat "$out/print.log")" ;;
    "printed "*) grep -qF -- "${rule#printed }" "$out/saved.prn" 2>/dev/null ||
                   problem "the printed job lacks: ${rule#printed }" ;;
    "not-printed "*) ! grep -qF -- "${rule#not-printed }" "$out/saved.prn" 2>/dev/null ||
                   problem "the printed job holds: ${rule#not-printed }" ;;
    "printed-in-prolog "*)
        awk -v text="${rule#printed-in-prolog }" '/^%%BeginProlog/ { p = 1 } p && index($0, text) { found = 1 }
            /^%%EndProlog/ { p = 0 } END { exit !found }' "$out/saved.prn" 2>/dev/null ||
            problem "the printed job's prolog lacks: ${rule#printed-in-prolog }" ;;
    "printed-per-page "*)
        bad=$(awk -v text="${rule#printed-per-page }" '
            /^%%Page: / { if (page && !seen) print page; page = $2; seen = 0; pages++ }
            /^%%Trailer/ { if (page && !seen) print page; page = 0 }
            page && index($0, text) { seen = 1 }
            END { if (page && !seen) print page; if (!pages) print "none" }' "$out/saved.prn" 2>/dev/null | tr '\n' ' ')
        [ -z "$bad" ] || problem "pages without ${rule#printed-per-page }: $bad" ;;
    "ini "*)
        read -r file section pair <<<"${rule#ini }"
        # A section with spaces is written in its brackets: [Overlay_Info 0].
        if [[ "${rule#ini }" =~ ^[^[:space:]]+[[:space:]]+\[([^]]*)\][[:space:]]+(.*)$ ]]; then
            section="${BASH_REMATCH[1]}" pair="${BASH_REMATCH[2]}"
        fi
        got=$(ini_value "$driver_dir/$file" "$section" "${pair%%=*}")
        [ "$got" = "${pair#*=}" ] || problem "$file [$section] ${pair%%=*} is \"$got\", expected \"${pair#*=}\"" ;;
    "restore "*|"netopt "*) ;;
    "then "*)
        found=$(tail -n +"$((after + 1))" "$out/stdout.txt" | grep -nxF -m1 -- "${rule#then }" | cut -d: -f1)
        if [ -n "$found" ]; then after=$((after + found)); else problem "stdout lacks, after line $after: ${rule#then }"; fi ;;
    "driver-file "*)
        read -r file text <<<"${rule#driver-file }"
        grep -qF -- "$text" "$driver_dir/$file" 2>/dev/null || problem "$file in the driver folder lacks: $text" ;;
    "update-order "*)
        want="${rule#update-order }"
        got=""
        for key in $want; do
            line=$(grep -n -m1 "^update $key=" "$out/stdout.txt" | cut -d: -f1)
            [ -n "$line" ] || { problem "no update of $key"; continue; }
            got="$got $line:$key"
        done
        sorted=$(echo $got | tr ' ' '\n' | sort -n | cut -d: -f2 | tr '\n' ' ')
        [ "${sorted% }" = "$want" ] || problem "updates in the order ${sorted% }, expected $want" ;;
    *) problem "unknown rule in $expect: $rule" ;;
    esac
done <"$expect"
[ "$status" = "$want_exit" ] || problem "exit status $status, expected $want_exit"
if [ "$failed" != 0 ]; then
    echo "--- stdout" >&2; cat "$out/stdout.txt" >&2
    echo "--- stderr" >&2; cat "$out/stderr" >&2
    exit 1
fi
