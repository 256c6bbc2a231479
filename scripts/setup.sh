#!/usr/bin/env bash
# Installs what building and testing the program needs, once. Run by ./run and ./test.
# With everything in place it only checks, which takes well under a second.
set -euo pipefail
# ./test sets this once the set-up has run, so that the scripts it calls do not run it again.
[ "${VESH_SET_UP:-0}" = 1 ] && exit 0

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DEPS=$ROOT/build/deps

# The 64-bit build is the default and runs under 64-bit Wine on every x86-64 machine; 32-bit Wine is
# installed only where the machine runs 32-bit code at all.
RUNS_I386=0
bash "$ROOT/scripts/i386-probe.sh" && RUNS_I386=1

source "$ROOT/scripts/apt.sh"
APT_LOG=$(mktemp)
trap 'rm -f "$APT_LOG"' EXIT

# What the 64-bit build, the 32-bit build (which needs no 32-bit libraries to be built) and the tests
# under 64-bit Wine need.
need_packages() {
    local missing=()
    local arch
    for arch in x86_64 i686; do
        command -v $arch-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-${arch//_/-}-posix gcc-mingw-w64-${arch//_/-}-posix)
        command -v $arch-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-${arch//_/-})
    done
    command -v wine >/dev/null || missing+=(wine)
    [ -x /usr/lib/wine/wine64 ] && [ -x /usr/lib/wine/wineserver64 ] || missing+=(wine64)
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xauth >/dev/null || missing+=(xauth)
    command -v xwd >/dev/null || missing+=(x11-apps)
    [ -x /usr/bin/convert ] || missing+=(imagemagick)
    [ -e /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf ] || missing+=(fonts-dejavu-core)
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    command -v g++ >/dev/null || missing+=(g++)
    command -v clang++-14 >/dev/null || missing+=(clang-14)
    command -v clang-format >/dev/null || missing+=(clang-format)
    [ -e /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ] || missing+=(libclang-rt-14-dev)
    [ -d /usr/src/googletest/googletest ] || missing+=(googletest)
    [ -e /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
    [ -e /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
    command -v dpkg-source >/dev/null || missing+=(dpkg-dev)
    command -v locale-gen >/dev/null || missing+=(locales)
    [ -e /usr/share/wine/fonts/marlett.ttf ] || missing+=(fonts-wine)
    command -v makensis >/dev/null || missing+=(nsis)
    command -v zip >/dev/null || missing+=(zip)
    command -v unzip >/dev/null || missing+=(unzip)
    if [ "${#missing[@]}" -gt 0 ]; then printf '%s\n' "${missing[@]}"; fi
}

mapfile -t MISSING < <(need_packages)
NEED_WINE32=0
if [ "$RUNS_I386" = 1 ] && ! bash "$ROOT/scripts/wine32-ready.sh"; then
    NEED_WINE32=1
fi
if [ "$(id -u)" != 0 ]; then
    if [ "${#MISSING[@]}" -gt 0 ]; then
        echo "setup: missing packages (${MISSING[*]}); run as root once to install them" >&2
        exit 1
    fi
    [ "$NEED_WINE32" = 0 ] ||
        echo "setup: 32-bit Wine (wine32:i386) is not installed; run as root to install it; until then the 32-bit tests are not run" >&2
else
    install_needed "${MISSING[@]}" || exit 1
    [ "$NEED_WINE32" = 0 ] || install_wine32
fi

# The locale is made as a folder of its own, not added to the locale archive: a shell that started
# before the archive existed (./run and ./test themselves) cannot load anything from it afterwards,
# so LC_ALL=ru_RU.UTF-8 would fail in them on the very first run.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
        echo "setup: generating ru_RU.UTF-8" >&2
        sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >>/etc/locale.gen
        localedef -i ru_RU -f UTF-8 --no-archive ru_RU.UTF-8
    fi
}

# One static libjpeg for each Windows build, in build/deps/libjpeg-<arch>, from one download of the
# source package.
ensure_libjpeg() {
    local arches=() arch
    for arch in "$@"; do
        [ -e "$DEPS/libjpeg-$arch/lib/libjpeg.a" ] || arches+=("$arch")
    done
    [ "${#arches[@]}" -gt 0 ] || return 0
    local src=$DEPS/src
    rm -rf "$src" && mkdir -p "$src"
    if ! (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1); then
        enable_deb_src
        apt_update
        if ! (cd "$src" && apt_try source -qq libjpeg-turbo); then
            echo "setup: cannot fetch the source package libjpeg-turbo: $(apt_reason "$APT_LOG")" >&2
            exit 1
        fi
    fi
    local dir
    dir=$(find "$src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    for arch in "${arches[@]}"; do
        echo "setup: cross-building libjpeg-turbo for $arch" >&2
        cmake -S "$dir" -B "$src/build-$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
            -DCMAKE_INSTALL_PREFIX="$DEPS/libjpeg-$arch" -Wno-dev >/dev/null
        cmake --build "$src/build-$arch" >/dev/null
        cmake --install "$src/build-$arch" >/dev/null
    done
    rm -rf "$src"
}

ensure_locale
ensure_libjpeg x86_64 i686
