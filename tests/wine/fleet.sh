#!/usr/bin/env bash
# Four workstations, each a Wine prefix of its own with its own user, install
# one application unattended from one shared Terminal\ at the same time, while
# the server (this test's prefix) saves its entry 200 times: every one must
# end with 0 and a parameter file that is one saved version, whole.
#   fleet.sh WINE_RUN FLEET_EXE DALVO_EXE WORKDIR
set -uo pipefail
run=$1 fleet=$2 dalvo=$3 work=$4
win() { printf 'Z:%s' "$1" | tr / '\\'; }
stations=(1 2 3 4)
end() { for i in "${stations[@]}"; do WINEPREFIX=$work/puesto$i wineserver -k >/dev/null 2>&1; done; rm -rf "$work"; }
rm -rf "$work"
mkdir -p "$work/share/Terminal" "$work/expected"
trap end EXIT
for file in Vondra.JAR:400000 Extra.JAR:90000 Flota.ICO:766; do head -c "${file#*:}" /dev/urandom >"$work/share/Terminal/${file%:*}"; done

# The prefix's programs are shared by hard links (Wine only reads them); the
# registry, the users and the rest are each machine's own.
windows=$WINEPREFIX/drive_c/windows
for i in "${stations[@]}"; do
    p=$work/puesto$i
    mkdir -p "$p"
    tar -C "$WINEPREFIX" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
        --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$p" -xf -
    for d in system32 syswow64 winsxs; do cp -al "$windows/$d" "$p/drive_c/windows/"; done
    (export WINEPREFIX=$p USER=puesto$i
     wineserver -p60 </dev/null >/dev/null 2>&1; wine cmd /c exit </dev/null >/dev/null 2>&1) &
done
wait

"$run" "$fleet" saver "$(win "$work/share/Terminal/")" Flota 200 "$(win "$work/expected")" >"$work/saver.out" &
for _ in $(seq 300); do [ -e "$work/expected/ready" ] && break; sleep 0.1; done
for i in "${stations[@]}"; do
    WINEPREFIX=$work/puesto$i USER=puesto$i "$run" "$fleet" station "$(win "$work/share")" "$(win "$dalvo")" Flota \
        </dev/null >"$work/puesto$i.out" 2>&1 &
done
wait
# Windows programs end their lines with CR LF.
said() { tr -d '\r' <"$work/$1.out"; }
failed=0
echo "server: $(said saver)"
[ "$(said saver)" = '201 saves, 0 failed' ] || failed=1
for i in "${stations[@]}"; do
    par=$work/puesto$i/drive_c/VONDRA/Java/Flota.PAR version=none
    for f in "$work"/expected/*.PAR; do cmp -s "$f" "$par" && version=$(basename "$f" .PAR) && break; done
    echo "puesto$i: $(said puesto$i), parameter file of version $version"
    [ "$(said puesto$i)" = 'exit 0, shortcut 1' ] && [ "$version" != none ] || failed=1
done
exit $failed
