#!/bin/sh
# at_dpi.sh DPI WINE PROGRAM [ARG...]: runs the Windows PROGRAM under WINE with the screen at DPI
# dots per inch (LogPixels of the wine prefix in use), and takes the setting out again afterwards.
dpi=$1
wine=$2
shift 2
key='HKCU\Control Panel\Desktop'
"$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || exit 1
status=0
"$wine" "$@" || status=$?
"$wine" reg delete "$key" /v LogPixels /f >/dev/null 2>&1
exit "$status"
