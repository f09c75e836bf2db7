#!/bin/sh
# Runs a Windows program under Wine for CTest, as the program would run on
# Windows with its DLLs beside it.
# Usage: run_under_wine.sh WINEPREFIX DLL_FOLDERS PLUGIN_FOLDER PROGRAM.exe [ARGUMENT...]
#   DLL_FOLDERS  the folders that hold the DLLs, separated by colons
# Wine hands the program no variable whose name starts with QT_ but passes
# WINEQT_X on as QT_X: each QT_ variable of the caller goes on that way.
set -eu
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
dll_folders=$2
plugins=$3
shift 3

windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

path=
old_ifs=$IFS
IFS=:
for folder in $dll_folders; do
    path="$path${path:+;}$(windows_path "$folder")"
done
IFS=$old_ifs
export WINEPATH="$path"

for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
export WINEQT_PLUGIN_PATH="$(windows_path "$plugins")"
# The offscreen platform finds fonts only where it is told; this one has the
# Chinese characters too.
export WINEQT_QPA_FONTDIR="${WINEQT_QPA_FONTDIR:-$(windows_path /usr/share/fonts/truetype/wqy)}"
exec wine "$@"
