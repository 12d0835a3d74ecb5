# Sourced by the scripts that run Windows programs: a throwaway Wine prefix
# with one persistent wineserver for the whole run.
#
#   xvfb_start [display]      a virtual display for dialogs (before wine_start)
#   wine_start <prefix-dir>   create the prefix and start its server
#   wine_stop                 stop the server and the display (also done on exit)
#   wine_add_dialog_fonts     Tahoma for the dialog font, a CJK font linked to it
#                             (done by wine_start unless WREN_DIALOG_FONTS=later)

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
    # WREN_DIALOG_FONTS=later: the caller adds them itself (tools/test.sh).
    [ "${WREN_DIALOG_FONTS:-}" = later ] || wine_add_dialog_fonts
}

# The dialogs name "MS Shell Dlg", which the prefix substitutes with Tahoma.
# Debian's Wine does not load its own Tahoma (fonts-wine puts it in
# /usr/share/wine/fonts, which this build never reads), so the dialogs fell
# back to Liberation Sans, narrower than Tahoma: texts that fit under Wine
# were cut on Windows. Registered here, Tahoma is the dialog font, as on
# Windows. Tahoma has no CJK glyphs; Windows links it to the language's
# font (MS UI Gothic, Gulim, SimSun, PMingLiU), the prefix links it to
# Droid Sans Fallback (fonts-droid-fallback, Han, kana and Hangul in one
# file), so Japanese, Korean and Chinese texts are drawn and measured with
# full-width glyphs instead of empty boxes. The link needs Tahoma present:
# without it Wine takes the first linked font as the base font and draws
# Latin text in Droid's glyphs too.
wine_add_dialog_fonts() {
    local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    local dir=/usr/share/wine/fonts cjk=/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf
    if [ ! -f "$dir/tahoma.ttf" ]; then
        echo "wine_add_dialog_fonts: no $dir/tahoma.ttf (fonts-wine); dialogs keep Wine's fallback font" >&2
        return 0
    fi
    {
        timeout 60 wine reg add "$fonts" /v 'Tahoma (TrueType)' /d 'Z:\usr\share\wine\fonts\tahoma.ttf' /f &&
            timeout 60 wine reg add "$fonts" /v 'Tahoma Bold (TrueType)' /d 'Z:\usr\share\wine\fonts\tahomabd.ttf' /f
    } >>"$WINEPREFIX/reg.log" 2>&1 || { echo "wine_add_dialog_fonts: registering Tahoma failed; see $WINEPREFIX/reg.log" >&2; return 1; }
    if [ ! -f "$cjk" ]; then
        echo "wine_add_dialog_fonts: no $cjk (fonts-droid-fallback); CJK texts show boxes" >&2
        return 0
    fi
    timeout 60 wine reg add "$links" /v Tahoma /t REG_MULTI_SZ /d 'DroidSansFallbackFull.ttf,Droid Sans Fallback' /f \
        >>"$WINEPREFIX/reg.log" 2>&1 || { echo "wine_add_dialog_fonts: linking the CJK font failed; see $WINEPREFIX/reg.log" >&2; return 1; }
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
