#!/usr/bin/env bash
# A golden job with job information: names the job-information library in
# the installed driver's capability file and fixes the library's answers for
# the length of one check_job.sh run, then puts both files back.
#   with_job_information.sh <wrenhost.exe> <ticket> <expected> <actual> [wrenhost options]
# The installed driver lies in the Wine prefix the tests run in.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
folder="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/system32/spool/drivers/x64/3"
swapped=(wren.cap zejobinfo.ini)
saved=.before-job-information

# Also run first: a run killed before its trap left its copies behind, and
# they hold the installed files, not the ones this script wrote.
restore() {
    local file
    for file in "${swapped[@]}"; do
        if [ -f "$folder/$file$saved" ]; then mv -f "$folder/$file$saved" "$folder/$file"; fi
    done
}
restore
for file in "${swapped[@]}"; do
    if [ ! -f "$folder/$file" ]; then
        echo "no installed driver: $folder/$file is missing" >&2
        exit 1
    fi
done
trap restore EXIT
trap 'exit 1' INT TERM HUP
# A copy appears under its name only when whole.
for file in "${swapped[@]}"; do
    cp -p "$folder/$file" "$folder/$file$saved.part" && mv -f "$folder/$file$saved.part" "$folder/$file$saved" || exit 1
done

# The sample leaves the library commented out; the line is enabled as it stands.
enable='s/^;JobInfoDLL=zejobinfo\.dll/JobInfoDLL=zejobinfo.dll/'
if ! grep -q '^;JobInfoDLL=zejobinfo\.dll' "$folder/wren.cap$saved"; then
    echo "the installed wren.cap has no commented-out JobInfoDLL line to enable" >&2
    exit 1
fi
sed "$enable" "$folder/wren.cap$saved" >"$folder/wren.cap" || exit 1
cp "$here/job-information/zejobinfo.ini" "$folder/zejobinfo.ini" || exit 1

bash "$here/check_job.sh" "$@"
