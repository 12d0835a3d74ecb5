# Sourced by the scripts that run Windows programs: a throwaway Wine prefix
# with one persistent wineserver for the whole run.
#
#   xvfb_start [display]      a virtual display for dialogs (before wine_start)
#   wine_start <prefix-dir>   create the prefix and start its server
#   wine_stop                 stop the server and the display (also done on exit)

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then timeout 20 wineserver -k >/dev/null 2>&1 || true; fi
    xvfb_stop
}

# Wine's desktop keeps the display of the process that started the
# wineserver, so the display comes first and DISPLAY is exported for it.
xvfb_start() {
    local display="${1:-:99}"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"${TMPDIR:-/tmp}/wren-xvfb${display#:}.log" 2>&1 &
    WREN_XVFB_PID=$!
    export DISPLAY="$display"
    local i
    for i in $(seq 50); do
        kill -0 "$WREN_XVFB_PID" 2>/dev/null || break
        [ -S "/tmp/.X11-unix/X${display#:}" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $display; see ${TMPDIR:-/tmp}/wren-xvfb${display#:}.log" >&2
    WREN_XVFB_PID=
    return 1
}

xvfb_stop() {
    if [ -n "${WREN_XVFB_PID:-}" ]; then
        kill "$WREN_XVFB_PID" 2>/dev/null || true
        timeout 10 tail --pid="$WREN_XVFB_PID" -f /dev/null 2>/dev/null || kill -9 "$WREN_XVFB_PID" 2>/dev/null || true
        WREN_XVFB_PID=
    fi
}

wine_start() {
    export WINEPREFIX="$1"
    mkdir -p "$WINEPREFIX"
    trap wine_stop EXIT
    # The first process under a fresh server must not write into a pipe:
    # the services it starts would hold the pipe open.
    wineserver -p 2>/dev/null || true
    timeout 180 wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 || {
        echo "wineboot failed; see $WINEPREFIX/wineboot.log" >&2
        return 1
    }
    # A crashing program must exit, not wait in a debugger dialog.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >"$WINEPREFIX/reg.log" 2>&1
}

# Stages the sample driver package with the built DLLs into $2.
stage_package() {
    local build="$1" package="$2"
    rm -rf "$package"
    mkdir -p "$package"
    cp examples/driver/*.inf examples/driver/*.ppd examples/driver/*.cap examples/driver/*.ini examples/driver/*.ver \
       examples/driver/*.dat examples/driver/wren*.ps "$package"/
    cp "$build"/wrenui.dll "$build"/wrenps.dll "$package"/
    for lib in zecipher zeuauth zeiccard zejobinfo zenetopt zeusbopt; do cp "$build/tools/family/$lib.dll" "$package"/; done
    cp "$build/tools/family/wrenapp.exe" "$package"/
    # The Colour page's swatch program and the support page's library.
    cp "$build/tools/family/swatch.exe" tools/family/swatch.ini "$build/tools/family/support_res/wrensupp.dll" "$package"/
}

# Reuses an existing prefix: starts its server and services with their
# output in a file, so that later commands may write into pipes.
wine_resume() {
    export WINEPREFIX="$1"
    trap wine_stop EXIT
    wineserver -p 2>/dev/null || true
    timeout 60 wineboot >"$WINEPREFIX/wineboot-resume.log" 2>&1 || true
}

# Installs the staged package of build $1 as the sample printers: "Wren Test"
# (the plain model), "Wren Info" (the model with job information),
# "Wren Shared" (the plain model, shared) and "Wren Support" (the model with
# the support page, the colour-correction tables and the swatch program).
install_sample_printers() {
    local build="$1" log="${2:-/dev/stdout}"
    local host="$build/tools/host/wrenhost.exe" package="${build//\//\\}\\package"
    timeout 120 wine "$host" install "$package" >>"$log" 2>&1 &&
        timeout 120 wine "$host" install "$package" --printer "Wren Info" --driver "Wren ZE Colour PS Info" >>"$log" 2>&1 &&
        timeout 120 wine "$host" install "$package" --printer "Wren Shared" --share WrenShared >>"$log" 2>&1 &&
        timeout 120 wine "$host" install "$package" --printer "Wren Support" --driver "Wren ZE Colour PS Support" >>"$log" 2>&1
}
