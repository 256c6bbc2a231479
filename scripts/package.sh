#!/usr/bin/env bash
# Makes what a Windows user downloads: for each build (x86_64 and i686, or those named as arguments) the
# optimised program in build/win64-release or build/win32-release, then in dist/ a zip with the program,
# history.txt and license.txt, and an installer made with NSIS (scripts/installer.nsi).
#   scripts/package.sh            # both builds
#   scripts/package.sh x86_64     # one
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
bash scripts/setup.sh

version_part() {
    sed -n "s/^#define VESH_VERSION_$1 \([0-9][0-9]*\)\$/\1/p" src/resources/version.h
}
VERSION=$(version_part MAJOR).$(version_part MINOR)
PROGRAM=$(sed -n 's/^#define VESH_PROGRAM_FILE "\(.*\)"$/\1/p' src/resources/version.h)
mkdir -p dist

package() {
    local arch=$1 dir suffix
    case "$arch" in
    x86_64) dir=build/win64-release suffix=x64 ;;
    i686) dir=build/win32-release suffix=x86 ;;
    *)
        echo "package: the build is x86_64 or i686, not '$arch'" >&2
        return 1
        ;;
    esac
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$dir" --target "$PROGRAM" >/dev/null

    local stage=$dir/package name=$PROGRAM-$VERSION-$suffix
    rm -rf "$stage" && mkdir -p "$stage"
    cp "$dir/$PROGRAM.exe" src/resources/history.txt src/resources/license.txt "$stage/"
    rm -f "dist/$name.zip"
    (cd "$stage" && zip -q -X -9 "$ROOT/dist/$name.zip" "$PROGRAM.exe" history.txt license.txt)
    makensis -V2 -DARCH="$arch" -DSTAGE="$ROOT/$stage" -DOUTFILE="$ROOT/dist/$name-setup.exe" scripts/installer.nsi
    local made
    for made in "dist/$name.zip" "dist/$name-setup.exe"; do
        echo "$made: $(stat -c %s "$made") bytes"
    done
}

ARCHES=("$@")
[ $# -gt 0 ] || ARCHES=(x86_64 i686)
for arch in "${ARCHES[@]}"; do
    package "$arch"
done
