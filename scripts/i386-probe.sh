#!/usr/bin/env bash
# Answers whether this machine runs 32-bit x86 code: some kernels run none at all ("Exec format
# error" for any i386 binary), and there 32-bit Wine cannot start. It tries rather than guesses: a
# 96-byte static i386 program that only exits with code 42 (no loader, no libraries needed).
# Exit status 0 when it ran.
# Written into the build folder, not /tmp, which some machines mount without execution rights.
build=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build
mkdir -p "$build" || exit 1
probe=$(mktemp "$build/.i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax,1; mov ebx,42; int 0x80.
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\50\0\0\0\0\0' >"$probe"
printf '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0' >>"$probe"
printf '\270\1\0\0\0\273\52\0\0\0\315\200' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? = 42 ]
