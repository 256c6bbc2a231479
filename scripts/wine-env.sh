#!/usr/bin/env bash
# Wine for running and testing the program: a prefix inside the build folder, a Russian locale, and an
# X display (the user's, or a private Xvfb). Source it, call wine_up, start programs with wine_run,
# and call wine_down at the end.
#
# VESH_ARCH chooses the build: x86_64 (the default) runs under 64-bit Wine in a 64-bit prefix; i686
# runs under 32-bit Wine in a 32-bit prefix, on machines that run 32-bit code. The loaders and servers
# are named directly: Debian's `wine` launcher takes the 32-bit loader whenever wine32 is installed,
# whatever the prefix.

ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
VESH_ARCH=${VESH_ARCH:-x86_64}
case "$VESH_ARCH" in
x86_64)
    export WINEPREFIX=$ROOT/build/wineprefix64
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    ;;
i686)
    export WINEPREFIX=$ROOT/build/wineprefix32
    export WINEARCH=win32
    export WINELOADER=/usr/lib/wine/wine
    export WINESERVER=/usr/lib/wine/wineserver32
    ;;
*)
    echo "wine-env: VESH_ARCH must be x86_64 or i686, not '$VESH_ARCH'" >&2
    return 1 2>/dev/null || exit 1
    ;;
esac
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export LC_ALL=ru_RU.UTF-8

XVFB_PID=
WINE_USER_DIR=

# A new prefix, made once: no window manager waits, and the user folders are real folders, not links
# into $HOME.
wine_prefix() {
    if [ ! -e "$WINEPREFIX/.ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wine_run wineboot -i >/dev/null 2>&1 || true
        "$WINESERVER" -w
        wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1
        "$WINESERVER" -w
        local users=$WINEPREFIX/drive_c/users/$(id -un)
        for d in "$users"/*; do
            if [ -L "$d" ]; then
                rm "$d" && mkdir -p "$d"
            fi
        done
        touch "$WINEPREFIX/.ready"
    fi
    WINE_USER_DIR=$WINEPREFIX/drive_c/users/$(id -un)
}

# Starts a private Xvfb when there is no display (or when WINE_HEADLESS=1 asks for one), with a screen of
# VESH_SCREEN pixels (1280x1024 unless set).
wine_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${WINE_HEADLESS:-0}" != 1 ]; then
        return 0
    fi
    local n=90 owner tries=0
    # Another run may take the same free number at the same moment. The lock file names the server that
    # won the number; a run whose own server did not win stops it and tries the next number, so that no
    # run borrows a display another run will take away.
    while :; do
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 "${VESH_SCREEN:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
                break
            fi
            sleep 0.05
        done
        owner=$(tr -dc '0-9' <"/tmp/.X$n-lock" 2>/dev/null)
        if [ "$owner" = "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
            break
        fi
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        n=$((n + 1))
        tries=$((tries + 1))
        if [ "$tries" -ge 20 ]; then
            echo "wine-env: no Xvfb display could be started (tried :90 to :$n)" >&2
            return 1
        fi
    done
    export DISPLAY=":$n"
}

# Starts a Windows program of the chosen build.
wine_run() {
    "$WINELOADER" "$@"
}

wine_up() {
    wine_display
    wine_prefix
    "$WINESERVER" -p >/dev/null 2>&1
}

wine_down() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
        # The display is gone with it: a later wine_up starts a new one.
        unset DISPLAY
    fi
}

# The display scale programs started from now on get, in dots per inch (96 is 100 %, 144 is 150 %): the
# prefix's LogPixels, which Wine reads when a program starts.
wine_dpi() {
    wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# Saves the whole X screen as a PNG.
wine_screenshot() {
    xwd -root -silent | /usr/bin/convert xwd:- png:"$1"
}
