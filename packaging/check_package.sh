#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it: with lintian,
# its files against a list, its dependencies, and its desktop entry,
# AppStream metainfo, MIME type and man pages with their validators.
# Usage: check_package.sh BUILD_DIR FILE_LIST
set -euo pipefail
build=$1
expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "test_package: $*" >&2
    exit 1
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# Debian's own checks: an error fails the test, warnings are shown.
command -v lintian >/dev/null || fail "lintian is missing; scripts/setup installs it"
lintian --fail-on error --tag-display-limit 0 "$deb" >&2 || fail "lintian reports errors"

# The files, exactly.
root=$work/root
dpkg-deb -x "$deb" "$root"
(cd "$root" && find . ! -type d | sed 's|^\.||' | sort) >"$work/files"
grep -v '^#' "$expected" | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package's files differ from $expected"

# Dependencies: the libraries it links against, and what it loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins \
    qt6-translations-l10n; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done

# A description in sentences, not a CMake list.
if dpkg-deb -f "$deb" Description | grep -q ';'; then
    fail "the description holds list separators"
fi

# The programs run from the package (without a display).
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/r7k-cps" --version | grep -qx "r7k-cps [0-9.]*" || fail "r7k-cps --version"
# Without a display r7k-cps says so in one line, in the environment's
# language, and ends with status 1 rather than Qt's abort.
for lang in C.UTF-8:desktop zh_CN.UTF-8:桌面; do
    status=0
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES \
        LANG=${lang%%:*} "$root/usr/bin/r7k-cps" 2>&1) || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] && grep -q "${lang#*:}.* r7k" <<<"$said" ||
        fail "r7k-cps without a display (LANG=${lang%%:*}) ended with $status: $said"
done
"$root/usr/bin/r7k-sim" --help | grep -q "^Usage: r7k-sim" || fail "r7k-sim --help"
"$root/usr/bin/r7k" --version | grep -qx "r7k [0-9.]*" || fail "r7k --version"

# Desktop entry, metainfo and MIME type as the desktop's tools read them.
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli validate"
cp -r "$root/usr/share/mime" "$work/mime"
# It reports a bad file on stderr but still ends with status 0.
XDG_DATA_HOME=$work XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log" >&2; fail "update-mime-database"; }
grep -qx "50:application/x-r7k-chann:\*.chann" "$work/mime/globs2" || fail "no glob for .chann"
grep -q "^MimeType=application/x-r7k-chann;" "$root"/usr/share/applications/*.desktop ||
    fail "the desktop entry does not open .chann files"

# Man pages that format without a warning.
for page in "$root"/usr/share/man/man1/*.gz; do
    warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
echo "test_package: passed"
