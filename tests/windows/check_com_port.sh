#!/usr/bin/env bash
# r7k.exe under Wine on COM ports that the Wine registry maps: a simulated
# radio's pseudo-terminal as COM5. Wine's serial ports never complete a read
# on a pseudo-terminal, so a read through COM5 must end with "the radio does
# not answer" instead of hanging; a read through COM6, which does not exist,
# must say so. r7k.exe ports lists COM5 as a port that may be opened and
# COM6 as missing.
# Usage: check_com_port.sh R7K-SIM WINEPREFIX RUN-UNDER-WINE... R7K.EXE
set -euo pipefail
sim=$1
export WINEPREFIX="$2" WINEDEBUG=-all
shift 2
r7k=("$@")
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -x "$sim" ] || fail "$sim is missing: build the Linux programs first (scripts/test)"

work=$(mktemp -d)
sim_pid=
cleanup() {
    [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true
    wine reg delete 'HKLM\Software\Wine\Ports' /v COM5 /f >/dev/null 2>&1 || true
    wineserver -k || true
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/said"
"$sim" --link "$work/radio" >"$work/said" &
sim_pid=$!
exec 3<"$work/said"
read -r ready <&3 || fail "r7k-sim did not start"
echo "$ready"
pty=$(readlink -f "$work/radio")
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$pty" /f >/dev/null
# Wine reads its port map when its server starts.
wineserver -k || true

listed=$(timeout 120 "${r7k[@]}" ports 2>&1 | tr -d '\r') || fail "r7k ports failed: $listed"
echo "$listed"
grep -Eq '^COM5 +COM5 .* yes$' <<<"$listed" || fail "r7k ports does not list COM5 as there"
grep -Eq '^COM6 +COM6 .* missing$' <<<"$listed" || fail "r7k ports does not list COM6 as missing"

# r7k.exe ends on its own in both cases; timeout only catches a hang.
out=$(winepath -w "$work/radio.chann" 2>/dev/null)
for case in "COM6:COM6 does not exist" "COM5:the radio does not answer"; do
    port=${case%%:*} wanted=${case#*:}
    status=0
    said=$(timeout 120 "${r7k[@]}" read --port "$port" -o "$out" 2>&1) || status=$?
    echo "r7k read --port $port: status $status: $said"
    [ "$status" != 124 ] || fail "r7k read --port $port hung"
    [ "$status" = 4 ] || fail "r7k read --port $port ended with status $status, not 4"
    [[ $said == *"$wanted"* ]] || fail "r7k read --port $port did not say '$wanted'"
done
