#!/usr/bin/env bash
# A copy of dist/ signed with a throwaway certificate by ./vondra sign's
# steps: every program, library and package verifies, compressed ones once
# expanded, and Instalar from the signed media (checking each expanded
# length against its header) makes the package's tree and starts Fostra.
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
set -- "${@//=$dist\//=$work/dist/}"  # the media made of the signed copies
"$src/cmake/sign-files" "$VONDRA_SIGN_CERT" "$VONDRA_SIGN_KEY" "" "$work"/dist/* &&
    "$src/cmake/make-media" "$work/dist/media" "$work/tree" "$@" &&
    "$src/cmake/make-package" "$work/tree" "$work/dist/media/Instalar.EXE" "$src/setup/Vondra.wxs" "$version" \
        "$work/dist/Vondra.msi" >/dev/null || exit 1

for f in "$work"/dist/media/*_; do msexpand <"$f" >"$work/expanded/${f##*/}"; done
signed=0
for f in "$work"/dist/* "$work"/dist/media/* "$work"/expanded/*; do
    [ -f "$f" ] && { [ "$(head -c2 "$f" | tr -d '\0')" = MZ ] || [ "${f##*.}" = msi ]; } || continue
    osslsigncode verify -CAfile "$VONDRA_SIGN_CERT" -in "$f" >/dev/null 2>&1 && signed=$((signed + 1)) ||
        fail "no valid signature: ${f#"$work"/}"
done
# dist/: 7 programs and libraries and the package; the media: 6 and Kelmin.EX_.
[ "$signed" = 15 ] || fail "$signed signatures verify, not 15"
# Made unsigned of signed programs, the media's keep no signature's entry.
env -u VONDRA_SIGN_CERT "$src/cmake/make-media" "$work/plain" "$work/plaintree" "$@" || exit 1
[ "$("${1%strip}objdump" -p "$work"/plain/*.EXE "$work"/plain/*.DLL | grep -c 'Entry 4 0* 0* Security')" = 6 ] ||
    fail "a signature's entry left on unsigned media"
"$run" "$winctl" setup "$(win "$work/dist/media")" "$(win "$work/instalado")" || fail "Instalar from the signed media"
diff -r "$work/tree" "$work/instalado" || fail "Instalar made another tree"
exit $failed
