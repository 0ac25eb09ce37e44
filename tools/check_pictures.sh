#!/bin/sh
# check_pictures.sh -- checks the run-time pictures against the BMP form the game's loader reads
# Usage: check_pictures.sh ROOT [MAKE_PICTURES]
# With the tool given, also checks that it still draws the checked-in pictures byte for byte.
root=${1:?usage: check_pictures.sh ROOT [MAKE_PICTURES]}
tool=$2
failed=0

# Little-endian unsigned field of WIDTH bytes at OFFSET.
field() {
    od -An -t u"$3" -j "$2" -N "$3" "$1" | tr -d ' '
}

expect() {
    if [ "$3" != "$4" ]; then
        echo "FAIL $1: $2 expected $4, got $3"
        failed=1
    fi
}

check() {
    file=$root/$1
    if [ ! -f "$file" ]; then
        echo "FAIL $1: missing"
        failed=1
        return
    fi
    w=$2
    h=$3
    pixels=$((w * h * 3))
    expect "$1" "type" "$(head -c 2 "$file")" "BM"
    expect "$1" "file size" "$(wc -c < "$file" | tr -d ' ')" $((54 + pixels))
    expect "$1" "bfSize" "$(field "$file" 2 4)" $((54 + pixels))
    expect "$1" "bfOffBits" "$(field "$file" 10 4)" 54
    expect "$1" "biSize" "$(field "$file" 14 4)" 40
    expect "$1" "biWidth" "$(field "$file" 18 4)" "$w"
    expect "$1" "biHeight" "$(field "$file" 22 4)" "$h"
    expect "$1" "biPlanes" "$(field "$file" 26 2)" 1
    expect "$1" "biBitCount" "$(field "$file" 28 2)" 24
    expect "$1" "biCompression" "$(field "$file" 30 4)" 0
    expect "$1" "biSizeImage" "$(field "$file" 34 4)" "$pixels"
    if command -v identify > /dev/null; then
        # BMP3 is ImageMagick's name for the form with the 40-byte info header.
        expect "$1" "identify" "$(identify -format '%m %wx%h %z-bit' "$file" 2> /dev/null)" "BMP3 ${w}x${h} 8-bit"
    fi
}

check image/cursor.bmp 32 16
check image/prochee/bum.bmp 512 32
check image/prochee/fon_back01.bmp 1024 768
check image/prochee/fon_back02.bmp 1024 768

if [ -n "$tool" ]; then
    out=$(mktemp -d) || exit 1
    if "$tool" "$out"; then
        for f in image/cursor.bmp image/prochee/bum.bmp image/prochee/fon_back01.bmp image/prochee/fon_back02.bmp; do
            cmp -s "$root/$f" "$out/$f" || { echo "FAIL $f: differs from what make_pictures draws now"; failed=1; }
        done
    else
        echo "FAIL make_pictures did not run"
        failed=1
    fi
    rm -rf "$out"
fi

[ $failed = 0 ] && echo "pictures OK"
exit $failed
