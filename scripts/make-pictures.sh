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
