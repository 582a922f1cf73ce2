#!/usr/bin/env bash
# The suite signed with a throwaway certificate by the steps ./vondra sign
# runs: dist/'s programs and libraries, the media made again (each program
# signed once stripped, then compressed) and the package. Every program,
# library and package shipped verifies, compressed ones once expanded; and
# signed, they still run: Instalar from the signed media makes the tree the
# package carries (each expanded length checked against its header) and
# starts Fostra, and the installed Dalvo ends an unattended run.
#   signing.sh WINE_RUN WINCTL DIST VERSION WORKDIR STRIP MSCOMPRESS CMAKE SOURCE_DIR FILE...
set -uo pipefail
run=$1 winctl=$2 dist=$3 version=$4 work=$5
shift 5
src=$(cd "$(dirname "$0")/../.." && pwd)
win() { printf 'Z:%s' "$1" | tr / '\\'; }
failed=0
fail() { echo "$*"; failed=1; }
rm -rf "$work"
mkdir -p "$work/dist" "$work/expanded"
trap 'rm -rf "$work"; "$run" reg delete "HKCU\\Software\\Vondra" /f >/dev/null 2>&1' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -subj '/CN=VONDRA pruebas' -days 1 \
    -keyout "$work/clave.pem" -out "$work/cert.pem" 2>/dev/null || exit 1
export VONDRA_SIGN_CERT=$work/cert.pem VONDRA_SIGN_KEY=$work/clave.pem
cp "$dist"/*.EXE "$dist"/*.dll "$dist"/*.DLL "$work/dist/"
start=$SECONDS
# The media from the signed copies, as ./vondra sign makes them.
set -- "${@//=$dist\//=$work/dist/}"
"$src/cmake/sign-files" "$VONDRA_SIGN_CERT" "$VONDRA_SIGN_KEY" "" "$work"/dist/* &&
    "$src/cmake/make-media" "$work/dist/media" "$work/tree" "$@" &&
    "$src/cmake/make-package" "$work/tree" "$work/dist/media/Instalar.EXE" "$src/setup/Vondra.wxs" "$version" \
        "$work/dist/Vondra.msi" >/dev/null || exit 1
echo "signed and made again in $((SECONDS - start)) s"

for f in "$work"/dist/media/*_; do msexpand <"$f" >"$work/expanded/${f##*/}"; done
signed=0
for f in "$work"/dist/* "$work"/dist/media/* "$work"/expanded/*; do
    [ -f "$f" ] && { [ "$(head -c2 "$f" | tr -d '\0')" = MZ ] || [ "${f##*.}" = msi ]; } || continue
    if osslsigncode verify -CAfile "$VONDRA_SIGN_CERT" -in "$f" >"$work/verify.out" 2>&1; then
        signed=$((signed + 1))
    else
        fail "no valid signature: ${f#"$work"/}"
        tail -3 "$work/verify.out"
    fi
done
echo "$signed signatures verify"
# dist/: 7 programs and libraries and the package; the media: 6 and Kelmin.EX_.
[ "$signed" = 15 ] || fail "15 signed files expected"
cmp "$work/expanded/Kelmin.EX_" "$work/tree/Terminal/Kelmin.EXE" || fail "Kelmin.EX_ is not the signed Kelmin.EXE"

# Made unsigned from signed programs, the media's carry no stale signature entry.
env -u VONDRA_SIGN_CERT "$src/cmake/make-media" "$work/plain" "$work/plaintree" "$@" || exit 1
objdump=${1%strip}objdump
for f in "$work"/plain/*.EXE "$work"/plain/*.DLL; do
    "$objdump" -p "$f" | grep 'Entry 4 0* 0* Security Directory' >/dev/null || fail "a signature entry left in ${f##*/}"
done

"$run" "$winctl" setup "$(win "$work/dist/media")" "$(win "$work/instalado")" || fail "Instalar from the signed media"
diff -r "$work/tree" "$work/instalado" || fail "Instalar made another tree"
# 1605 (not installed) as Unix sees an exit code: its low byte.
"$run" "$work/instalado/Terminal/Dalvo.EXE" /desinstalar Nada /log "$(win "$work/dalvo.log")"
status=$?
[ $status = $((1605 % 256)) ] || { fail "signed Dalvo ended with $status"; tr -d '\r' <"$work/dalvo.log"; }
exit $failed
