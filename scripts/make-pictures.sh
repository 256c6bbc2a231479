#!/usr/bin/env bash
# Makes the program's pictures from Debian's tango-icon-theme (public domain) with ImageMagick, and
# rsvg-convert for the theme's scalable drawings. The results are kept in src/resources; run this again
# only to change them:
#   apt-get install tango-icon-theme imagemagick librsvg2-bin && scripts/make-pictures.sh
#
# Each picture is made at 100 %, 125 %, 150 % and 200 % of its design size, for the display scales the
# program chooses among (16 x 16 for menus and buttons: 16, 20, 24, 32 pixels; 32 x 32 for the tool bar:
# 32, 40, 48, 64). A size the theme draws by hand (16, 22, 24, 32) is taken as drawn; the others are
# rendered from its scalable drawings, so that no picture is a stretched smaller one.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$ROOT/src/resources
T=/usr/share/icons/Tango
C=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The program icon: an address book of belongings, in the sizes Windows asks for.
"$C" "$T/16x16/mimetypes/x-office-address-book.png" "$T/24x24/mimetypes/x-office-address-book.png" \
    "$T/32x32/mimetypes/x-office-address-book.png" "$OUT/app.ico"

# The pictures of the actions, in the order of their picture numbers (ImageList1 and ImageList2):
#   0 new catalogue, 1 open, 2 save, 3 find, 4 exit, 5 about, 6 settings, 7 new item, 8 edit item,
#   9 delete item, 10 mail, 11 new debtor, 12 edit debtor, 13 delete debtor, 14 export.
# A debtor is a pair of people, an item a parcel; adding, editing and deleting them is a small sign in
# the lower right corner: a plus, a notepad with a pencil, a red cross.
DEBTOR=apps/system-users
ITEM=mimetypes/package-x-generic
ADD=actions/list-add
EDIT=apps/accessories-text-editor
DELETE=actions/process-stop
OUTWARDS=actions/go-next
pictures=(
    actions/document-new
    actions/document-open
    actions/document-save
    actions/edit-find
    actions/system-log-out
    apps/help-browser
    categories/preferences-system
    "$ITEM+$ADD"
    "$ITEM+$EDIT"
    "$ITEM+$DELETE"
    actions/mail-message-new
    "$DEBTOR+$ADD"
    "$DEBTOR+$EDIT"
    "$DEBTOR+$DELETE"
    "mimetypes/x-office-address-book+$OUTWARDS"
)

# The theme's drawing of NAME at SIZE pixels: its own picture where it has one of that size, else one
# rendered from its scalable drawing (made once in $tmp).
drawing() {
    local size=$1 name=$2
    local own=$T/${size}x${size}/$name.png
    if [ -e "$own" ]; then
        echo "$own"
        return
    fi
    local rendered=$tmp/drawing-$size-${name//\//-}.png
    [ -e "$rendered" ] || rsvg-convert -w "$size" -h "$size" "$T/scalable/$name.svg" -o "$rendered"
    echo "$rendered"
}

# The drawing a SIZE-pixel sign is reduced from: the theme's own picture of that size or the next one up,
# or above them the scalable drawing at that size.
sign_source() {
    local size=$1 name=$2 own
    for own in 16 22 24 32; do
        if [ "$size" -le "$own" ]; then
            echo "$T/${own}x${own}/$name.png"
            return
        fi
    done
    drawing "$size" "$name"
}

# picture SIZE SIGN NAME[+OVERLAY] FILE: one square picture with straight alpha; the overlay is a sign of
# SIGN pixels in the lower right corner.
picture() {
    local size=$1 sign=$2 name=$3 file=$4
    local base=${name%%+*} overlay=
    [ "$name" != "$base" ] && overlay=${name#*+}
    if [ -z "$overlay" ]; then
        "$C" "$(drawing "$size" "$base")" -background none -gravity center -extent "${size}x${size}" "$file"
    else
        "$C" "$(drawing "$size" "$base")" \( "$(sign_source "$sign" "$overlay")" -resize "${sign}x${sign}" \) \
            -gravity southeast -composite "$file"
    fi
}

# How a disabled entry shows a picture: grey and faint.
disabled() { "$C" "$1" -colorspace Gray -colorspace sRGB -channel A -evaluate multiply 0.45 +channel "$2"; }

# strip FILE PICTURE...: the pictures side by side as a 32-bit bitmap with alpha, as LoadImage reads it.
strip() {
    local file=$1
    shift
    "$C" "$@" -background none +append -type TrueColorAlpha -define bmp:format=bmp3 -define bmp3:alpha=true \
        "BMP3:$file"
}

# The scales: the files' suffix, the menus' and buttons' size with its sign, the tool bar's with its sign.
# The sign takes a little more than half a small picture, and half a tool bar picture, where the 16-pixel
# sign stays sharp on 32 pixels.
scales=(
    ":16:10:32:16"
    "-125:20:13:40:20"
    "-150:24:15:48:24"
    "-200:32:20:64:32"
)

# The flat buttons under the free items table, each enabled and disabled: lend (down into the lent items
# table), return one (back up), return all (up to the top).
button_pictures=(actions/go-down actions/go-up actions/go-top)

for entry in "${scales[@]}"; do
    IFS=: read -r suffix small small_sign large large_sign <<<"$entry"
    for family in small large; do
        if [ "$family" = small ]; then
            size=$small sign=$small_sign
        else
            size=$large sign=$large_sign
        fi
        normal=() grey=()
        for i in "${!pictures[@]}"; do
            picture "$size" "$sign" "${pictures[$i]}" "$tmp/$size-$i.png"
            disabled "$tmp/$size-$i.png" "$tmp/$size-$i-off.png"
            normal+=("$tmp/$size-$i.png")
            grey+=("$tmp/$size-$i-off.png")
        done
        if [ "$family" = small ]; then
            strip "$OUT/pictures16$suffix.bmp" "${normal[@]}" "${grey[@]}"
        else
            strip "$OUT/pictures32$suffix.bmp" "${normal[@]}"
            strip "$OUT/pictures32-disabled$suffix.bmp" "${grey[@]}"
        fi
    done
    buttons=()
    for name in "${button_pictures[@]}"; do
        n=$(basename "$name")
        picture "$small" "$small_sign" "$name" "$tmp/b-$small-$n.png"
        disabled "$tmp/b-$small-$n.png" "$tmp/b-$small-$n-off.png"
        buttons+=("$tmp/b-$small-$n.png" "$tmp/b-$small-$n-off.png")
    done
    strip "$OUT/buttons$suffix.bmp" "${buttons[@]}"
done
