#!/bin/sh
# Installs the Windows installer silently under Wine, runs the installed
# r7k.exe, and uninstalls it silently again: the programs, the Start menu
# entry and the .chann association come and go, the user's backups stay.
# Usage: check_installer.sh WINEPREFIX SETUP.exe VERSION
set -eu
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
setup=$2
version=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$setup" ] || fail "$setup is missing: scripts/build-windows makes it"

unix_path() {
    winepath -u "$1" 2>/dev/null | tr -d '\r'
}
folder=$(unix_path 'C:\Program Files\R7K CPS')
menu_entry=$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\R7K CPS\R7K CPS.lnk')
backup_folder=$(unix_path "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/r7k-cps/backups
association() {
    wine reg query 'HKLM\Software\Classes\.chann' /ve 2>/dev/null | tr -d '\r' | grep -c r7k-cps.chann
}

# A leftover of an earlier run would hide a failed install.
rm -rf "$folder"
wine "$setup" /S
wineserver -w
for file in r7k-cps.exe r7k.exe uninstall.exe Qt6Core.dll plugins/platforms/qwindows.dll \
    translations/qt_zh_CN.qm; do
    [ -f "$folder/$file" ] || fail "the installer did not install $file"
done
[ -f "$menu_entry" ] || fail "no Start menu entry"
[ "$(association)" = 1 ] || fail ".chann is not associated with r7k-cps"
[ "$(wine reg query 'HKLM\Software\Classes\r7k-cps.chann\DefaultIcon' /ve | tr -d '\r' |
    grep -c 'r7k-cps.exe,0')" = 1 ] || fail ".chann files do not have the program's icon"

# The installed program runs on the DLLs installed beside it.
said=$(wine "$folder/r7k.exe" --version | tr -d '\r')
case $said in
*"$version"*) ;;
*) fail "the installed r7k.exe --version said '$said'" ;;
esac

mkdir -p "$backup_folder"
backup=$backup_folder/r7k-20260101-000000-000.chann
echo kept >"$backup"
wine "$folder/uninstall.exe" /S
wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left $folder: $(ls -R "$folder")"
[ ! -e "$menu_entry" ] || fail "the uninstaller left the Start menu entry"
[ "$(association)" = 0 ] || fail "the uninstaller left the .chann association"
[ -f "$backup" ] || fail "the uninstaller removed the user's backups"
rm -f "$backup"
echo "installed, ran r7k.exe $version, uninstalled"
