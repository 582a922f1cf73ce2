#!/usr/bin/env bash
# Icons loaded and written back by the parameter library under Wine (through
# selecthost), checked with independent readers from Debian: icotool
# (icoutils), wrestool and ImageMagick must see the same images, sizes,
# depths and pixels as in the source.
#   icon-readers.sh WINE_RUN HOST_EXE DALVO_EXE DALVO_ICO
set -uo pipefail
run=$1 host=$2 dalvo=$3 dalvo_ico=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0 passed=0

win() { printf 'Z:%s' "$1" | tr / '\\'; }
same() {  # what, expected, actual
    if [ "$2" = "$3" ] && [ -n "$2" ]; then
        passed=$((passed + 1)); echo "ok    $1"
    else
        failed=$((failed + 1)); echo "FAIL  $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3")
    fi
}
listing() { icotool -l "$1" 2>&1; }
# Every image as 8-bit RGBA pixels, one checksum a line.
pixels() {
    local count i
    count=$(identify "$1" 2>/dev/null | wc -l)
    for ((i = 0; i < count; i++)); do
        convert "$1[$i]" -depth 8 rgba:- | md5sum | cut -d' ' -f1
    done
}
# Loads source with the library and writes it to out.
roundtrip() {
    rm -f "$dir/report.txt"
    "$run" "$host" "$(win "$dir/report.txt")" "load=$(win "$1")" "write=$(win "$2")" \
        </dev/null >/dev/null 2>&1
    same "$3: loaded and written" $'load 1\nwrite 1' "$(tr -d '\r' <"$dir/report.txt" 2>/dev/null)"
}
compare() {  # what, reference icon, our icon
    same "$1: icotool lists the same images" "$(listing "$2")" "$(listing "$3")"
    same "$1: ImageMagick sees the same sizes" "$(identify -format '%w %h\n' "$2")" \
        "$(identify -format '%w %h\n' "$3")"
    same "$1: same pixels" "$(pixels "$2")" "$(pixels "$3")"
}

# Icon files made by icotool at several depths and by ImageMagick (which
# stores the 256-pixel image as PNG).
convert -size 16x16 gradient:red-blue PNG32:"$dir/a16.png"
convert -size 32x32 radial-gradient:white-green PNG32:"$dir/a32.png"
convert -size 48x48 gradient:yellow-black PNG32:"$dir/a48.png"
convert -size 32x32 pattern:checkerboard PNG32:"$dir/c32.png"
convert -size 256x256 radial-gradient:orange-navy PNG32:"$dir/a256.png"
icotool -c -o "$dir/icotool.ico" -b 4 "$dir/a16.png" -b 8 "$dir/a32.png" -b 32 "$dir/a48.png" -b 1 "$dir/c32.png"
convert "$dir/a16.png" "$dir/a48.png" "$dir/a256.png" "$dir/magick.ico"
for made in icotool magick; do
    roundtrip "$dir/$made.ico" "$dir/$made-ours.ico" "$made icon file"
    compare "$made icon file" "$dir/$made.ico" "$dir/$made-ours.ico"
done

# Programs with one icon group: ours, and one of the prefix. wrestool
# rebuilds the group as an icon file on its own.
programs=("$dalvo" "$WINEPREFIX/drive_c/windows/system32/notepad.exe")
labels=("Dalvo.EXE" "notepad.exe of the prefix")
for i in "${!programs[@]}"; do
    program=${programs[$i]} name=${labels[$i]}
    wrestool -x --type=14 -o "$dir/wrestool.ico" "$program" 2>/dev/null
    roundtrip "$program" "$dir/ours.ico" "$name"
    compare "$name" "$dir/wrestool.ico" "$dir/ours.ico"
    [ "$(basename "$program")" != Dalvo.EXE ] ||
        compare "$name against dalvo.ico" "$dalvo_ico" "$dir/ours.ico"
done

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
