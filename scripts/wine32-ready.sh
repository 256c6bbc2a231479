#!/usr/bin/env bash
# Answers whether 32-bit Wine is installed: its loader and its 32-bit system libraries (Debian's
# wine32:i386). Exit status 0 when it is. Whether the machine can run it at all is
# scripts/i386-probe.sh's question.
[ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wineserver32 ] &&
    [ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]
