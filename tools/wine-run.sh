#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest. Refuses to run without an
# explicit WINEPREFIX: Wine would otherwise quietly use ~/.wine.
if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-run.sh: WINEPREFIX is not set (run the tests through tools/test.sh)" >&2
    exit 2
fi
exec timeout "${WREN_WINE_TIMEOUT:-120}" wine "$@"
