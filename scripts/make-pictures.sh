#!/usr/bin/env bash
# Makes the program's pictures from Debian's tango-icon-theme (public domain) with ImageMagick.
# The results are kept in src/resources; run this again only to change them:
#   apt-get install tango-icon-theme imagemagick && scripts/make-pictures.sh
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

# picture SIZE NAME[+OVERLAY] FILE: one square picture with straight alpha.
picture() {
    local size=$1 name=$2 file=$3
    local base=${name%%+*} overlay=
    [ "$name" != "$base" ] && overlay=${name#*+}
    if [ -z "$overlay" ]; then
        "$C" "$T/${size}x${size}/$base.png" -background none -gravity center -extent "${size}x${size}" "$file"
    else
        # The sign takes a little more than half the picture; the 16-pixel sign stays sharp on 32 pixels.
        local small=$(( size == 16 ? 10 : 16 ))
        "$C" "$T/${size}x${size}/$base.png" \( "$T/16x16/$overlay.png" -resize "${small}x${small}" \) \
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

for size in 16 32; do
    normal=() grey=()
    for i in "${!pictures[@]}"; do
        picture "$size" "${pictures[$i]}" "$tmp/$size-$i.png"
        disabled "$tmp/$size-$i.png" "$tmp/$size-$i-off.png"
        normal+=("$tmp/$size-$i.png")
        grey+=("$tmp/$size-$i-off.png")
    done
    if [ "$size" = 16 ]; then
        strip "$OUT/pictures16.bmp" "${normal[@]}" "${grey[@]}"
    else
        strip "$OUT/pictures32.bmp" "${normal[@]}"
        strip "$OUT/pictures32-disabled.bmp" "${grey[@]}"
    fi
done

# The flat buttons under the free items table, each enabled and disabled: lend (down into the lent items
# table), return one (back up), return all (up to the top).
buttons=()
for name in actions/go-down actions/go-up actions/go-top; do
    n=$(basename "$name")
    picture 16 "$name" "$tmp/b-$n.png"
    disabled "$tmp/b-$n.png" "$tmp/b-$n-off.png"
    buttons+=("$tmp/b-$n.png" "$tmp/b-$n-off.png")
done
strip "$OUT/buttons.bmp" "${buttons[@]}"
