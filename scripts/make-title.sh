#!/usr/bin/env bash
# Makes the title picture that the splash window and the About box show (src/resources/title.jpg: 400 x
# 300, baseline JPEG, three colour components), the two small pictures of the About box's link buttons
# (src/resources/links16.bmp: a house for the author's home page, a globe for the program's page; and
# links16-125.bmp, -150.bmp, -200.bmp, the same at 125, 150 and 200 %), and,
# from the title picture, the installer's own pictures (src/resources/installer-side.bmp, 164 x 314, for
# its welcome and finish pages; src/resources/installer-header.bmp, 150 x 57, for the header of its other
# pages), with ImageMagick and the DejaVu fonts. The name, version and copyright come from
# src/resources/version.h.
# The results are kept in src/resources; run this again only to change them:
#   apt-get install imagemagick fonts-dejavu-core && scripts/make-title.sh
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$ROOT/src/resources
C=/usr/bin/convert
FONTS=/usr/share/fonts/truetype/dejavu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

define() { sed -n "s/^#define $1 \(.*\)$/\1/p" "$OUT/version.h" | sed 's/^"\(.*\)"$/\1/'; }
NAME=$(define VESH_PRODUCT_NAME)
VERSION="$(define VESH_VERSION_MAJOR).$(define VESH_VERSION_MINOR)"
COPYRIGHT=$(define VESH_COPYRIGHT)

# A night-blue ground lit from the upper left, with a row of book spines along the bottom and a
# golden rule under the name.
"$C" -size 760x640 radial-gradient:'#3a6ea5-#0b1a33' -crop 400x300+250+250 +repage "$tmp/ground.png"
spines=()
x=14
colors=('#8c2d2d' '#2d5f8c' '#c79a3a' '#3f7a4a' '#6b3f7a' '#a0522d' '#2f4f4f' '#b03a48' '#46708c' '#8c7a2d')
heights=(62 54 70 58 66 50 64 56 72 60)
i=0
while [ $x -lt 386 ]; do
    w=$((10 + (i * 7) % 9))
    h=${heights[$((i % 10))]}
    c=${colors[$((i % 10))]}
    spines+=(-fill "$c" -draw "rectangle $x,$((288 - h)) $((x + w)),288")
    spines+=(-fill '#ffffff30' -draw "rectangle $((x + 2)),$((294 - h)) $((x + w - 2)),$((297 - h))")
    x=$((x + w + 2))
    i=$((i + 1))
done
"$C" "$tmp/ground.png" "${spines[@]}" -fill '#0b1a33' -draw 'rectangle 0,288 400,300' \
    -fill '#d9b45a' -draw 'rectangle 40,122 360,124' "$tmp/shelf.png"

"$C" "$tmp/shelf.png" \
    \( -size 400x300 xc:none -font "$FONTS/DejaVuSerif-Bold.ttf" -pointsize 50 -fill '#00000090' \
       -gravity north -annotate +3+51 "$NAME" -blur 0x3 \) -composite \
    -font "$FONTS/DejaVuSerif-Bold.ttf" -pointsize 50 -fill '#f4e3b5' -gravity north -annotate +0+48 "$NAME" \
    -font "$FONTS/DejaVuSans.ttf" -pointsize 15 -fill '#dfe8f5' -gravity north \
    -annotate +0+134 'каталог вещей, отданных на время' \
    -font "$FONTS/DejaVuSans-Bold.ttf" -pointsize 14 -fill '#d9b45a' -gravity northeast \
    -annotate +16+16 "Версия $VERSION" \
    -font "$FONTS/DejaVuSans.ttf" -pointsize 10 -fill '#dfe8f5' -gravity north \
    -annotate +0+200 "$COPYRIGHT" \
    -strip -colorspace sRGB -type TrueColor -sampling-factor 2x2 -interlace none -quality 90 \
    "JPEG:$OUT/title.jpg"

# The link buttons' pictures, 16 x 16 each, side by side; the lower left pixel's colour is see-through.
"$C" -size 16x16 xc:'#ff00ff' -fill '#b03a2e' -stroke '#6e1f17' -draw 'polygon 1,8 8,1 15,8' \
    -fill '#f2e6c9' -stroke '#7a6a4a' -draw 'rectangle 3,8 13,15' \
    -fill '#7a4a2a' -stroke none -draw 'rectangle 7,10 9,15' "$tmp/house.png"
"$C" -size 16x16 xc:'#ff00ff' -fill '#3a7bd5' -stroke '#1c3f73' -draw 'circle 8,8 8,1' \
    -fill none -stroke '#cfe3ff' -draw 'ellipse 8,8 3,7 0,360' -draw 'line 1,8 15,8' \
    -draw 'line 2,5 14,5' -draw 'line 2,11 14,11' "$tmp/globe.png"
"$C" "$tmp/house.png" "$tmp/globe.png" +append -alpha off -type TrueColor "BMP3:$OUT/links16.bmp"

# The same two pictures at 125, 150 and 200 % (20, 24 and 32 pixels square), drawn again from the same
# shapes at their size, with smooth edges over transparency: 32-bit bitmaps with alpha, as LoadImage reads
# them. The shapes' pixel centres are scaled, so a shape covers the same part of the picture at each size.
links_at() {
    local size=$1 file=$2 f t
    f=$(awk "BEGIN { print $size / 16 }")
    t=$(awk "BEGIN { print ($size / 16 - 1) / 2 }")
    local at="affine $f,0,0,$f,$t,$t"
    "$C" -size "${size}x${size}" xc:none -fill '#b03a2e' -stroke '#6e1f17' -draw "$at polygon 1,8 8,1 15,8" \
        -fill '#f2e6c9' -stroke '#7a6a4a' -draw "$at rectangle 3,8 13,15" \
        -fill '#7a4a2a' -stroke none -draw "$at rectangle 7,10 9,15" "$tmp/house-$size.png"
    "$C" -size "${size}x${size}" xc:none -fill '#3a7bd5' -stroke '#1c3f73' -draw "$at circle 8,8 8,1" \
        -fill none -stroke '#cfe3ff' -draw "$at ellipse 8,8 3,7 0,360" -draw "$at line 1,8 15,8" \
        -draw "$at line 2,5 14,5" -draw "$at line 2,11 14,11" "$tmp/globe-$size.png"
    "$C" "$tmp/house-$size.png" "$tmp/globe-$size.png" -background none +append -type TrueColorAlpha \
        -define bmp:format=bmp3 -define bmp3:alpha=true "BMP3:$file"
}
links_at 20 "$OUT/links16-125.bmp"
links_at 24 "$OUT/links16-150.bmp"
links_at 32 "$OUT/links16-200.bmp"

# The installer's pictures, 24-bit bitmaps as NSIS's Modern UI takes them. The side picture (164 x 314):
# the title picture's name and words at the side's width on top, its row of book spines at the bottom,
# and between them the title's night blue, going down from the colour under the words to the colour
# over the spines. The header (150 x 57): the version, the name and its golden rule, on the blue
# of the title's upper edge.
top=$((188 * 164 / 400)) bottom=$((86 * 164 / 400))
"$C" \( "$OUT/title.jpg" -crop 400x188+0+0 +repage -resize "164x$top!" \) \
    \( \( "$OUT/title.jpg" -crop 400x1+0+187 \) \( "$OUT/title.jpg" -crop 400x1+0+214 \) +repage -append \
    -scale '20x2!' -resize "164x$((314 - top - bottom))!" \) \
    \( "$OUT/title.jpg" -crop 400x86+0+214 +repage -resize "164x$bottom!" \) \
    -append -alpha off -type TrueColor "BMP3:$OUT/installer-side.bmp"
"$C" "$OUT/title.jpg" -crop 400x130+0+0 +repage -resize 150x57 \
    -background "$("$C" "$OUT/title.jpg" -crop 400x1+0+0 +repage -scale '1x1!' -format '%[pixel:p{0,0}]' info:)" \
    -gravity center -extent 150x57 -alpha off -type TrueColor "BMP3:$OUT/installer-header.bmp"
