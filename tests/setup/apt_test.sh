#!/usr/bin/env bash
# Tests of the set-up's package logic (scripts/apt.sh) against stand-ins for apt-get, dpkg and
# dpkg-query that act like a machine whose package lists are caught mid-sync. Nothing on the real
# machine is touched. Ends with "N passed, N failed".
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
passed=0
failed=0

# The stand-ins keep the machine's state in $STATE: arches (foreign architectures), installed
# (packages), calls (every apt-get call). STUB_UPDATE: ok, fail (every update, as a mirror mid-sync),
# once (the first update only). STUB_REFUSE: a pattern of packages refused as held broken.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/calls"
sync_error() {
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
}
simulate=0
pkgs=()
for a in "$@"; do
    case $a in
    update)
        case $STUB_UPDATE in
        fail) sync_error ;;
        once) [ -e "$STATE/updated" ] || { touch "$STATE/updated"; sync_error; } ;;
        esac
        exit 0 ;;
    -s) simulate=1 ;;
    -* | install | Acquire::*) ;;
    *) pkgs+=("$a") ;;
    esac
done
for p in "${pkgs[@]}"; do
    if [[ $p =~ $STUB_REFUSE ]]; then
        echo "Some packages could not be installed." >&2
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
    fi
done
[ "$simulate" = 1 ] || printf '%s\n' "${pkgs[@]}" >>"$STATE/installed"
STUB
cat >"$WORK/bin/dpkg" <<'STUB'
#!/usr/bin/env bash
case $1 in
--print-foreign-architectures) cat "$STATE/arches" ;;
--add-architecture) echo "$2" >>"$STATE/arches" ;;
--remove-architecture) grep -vx "$2" "$STATE/arches" >"$STATE/arches.new"; mv "$STATE/arches.new" "$STATE/arches" ;;
esac
STUB
cat >"$WORK/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
echo amd64
grep -q ':i386$' "$STATE/installed" && echo i386
exit 0
STUB
chmod +x "$WORK/bin"/*

# A fresh machine: no foreign architecture, nothing installed, a deb822 sources file without deb-src.
fresh() {
    export STATE=$WORK/state APT_ETC=$WORK/etc STUB_UPDATE=ok STUB_REFUSE='^$'
    rm -rf "$STATE" "$APT_ETC" && mkdir -p "$STATE" "$APT_ETC/sources.list.d"
    : >"$STATE/arches"
    : >"$STATE/installed"
    : >"$STATE/calls"
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\n\nTypes: deb\nURIs: http://deb.debian.org/debian-security\nSuites: bookworm-security\nComponents: main\n' \
        >"$APT_ETC/sources.list.d/debian.sources"
}

# Runs one step of the set-up in a shell of its own, as setup.sh does (set -euo pipefail);
# its messages go to $WORK/err, its exit status to $rc.
setup_step() {
    PATH=$WORK/bin:$PATH APT_PAUSE=0 APT_LOG=$WORK/apt.log bash -c \
        "set -euo pipefail; source '$ROOT/scripts/apt.sh'; $*" 2>"$WORK/err"
    rc=$?
}

check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
        sed 's/^/    setup said: /' "$WORK/err"
    fi
}
lines() { [ "$(grep -c "$2" "$1")" = "$3" ]; }

# A day like the one seen: every update fails on the i386 list, every i386 package is held broken.
fresh
STUB_UPDATE=fail STUB_REFUSE=':i386$'
setup_step install_needed wine nsis '&&' install_wine32
check "the 64-bit packages are installed although every update failed" \
    eval '[ $rc = 0 ] && grep -qx wine "$STATE/installed" && grep -qx nsis "$STATE/installed"'
check "a failed update is tried again, then said in one line" \
    eval 'lines "$STATE/calls" " update" 6 && lines "$WORK/err" "update failed" 1'
check "the 32-bit part says in one line that it cannot be had, with apt's reason" \
    eval '[ "$(grep -vc -e "installing wine nsis" -e "update failed" "$WORK/err")" = 1 ] &&
        lines "$WORK/err" "32-bit Wine cannot be installed (Unable to correct problems, you have held broken packages.)" 1'
check "the i386 architecture the set-up added is taken away again" eval '[ ! -s "$STATE/arches" ]'

# An i386 architecture the machine had before stays, and so does one with a package installed.
fresh
STUB_REFUSE=':i386$'
echo i386 >"$STATE/arches"
setup_step install_wine32
check "an i386 architecture that was there before is kept" eval '[ $rc = 0 ] && grep -qx i386 "$STATE/arches"'

# A download failing for a moment is not worth a word.
fresh
STUB_UPDATE=once
setup_step install_wine32
check "an update that fails once is tried again and the 32-bit Wine installed" \
    eval '[ $rc = 0 ] && lines "$STATE/calls" " update" 2 && ! grep -q failed "$WORK/err" && grep -qx "wine32:i386" "$STATE/installed" && grep -qx i386 "$STATE/arches"'

# A needed package that cannot be had ends the set-up, named with apt's reason; the others are not
# blamed.
fresh
STUB_REFUSE='^nsis$'
setup_step install_needed wine nsis zip
check "a needed package refused is an error naming it and apt's reason" \
    eval '[ $rc != 0 ] && lines "$WORK/err" "cannot install nsis: Unable to correct problems, you have held broken packages." 1 && ! grep -q "cannot install wine" "$WORK/err"'

# deb-src: added to the binary entries once; nothing added where some file has one already.
fresh
setup_step enable_deb_src '&&' enable_deb_src
check "deb-src is added to the sources file once" \
    eval 'lines "$APT_ETC/sources.list.d/debian.sources" "^Types: deb deb-src$" 2'
fresh
echo 'deb-src http://deb.debian.org/debian bookworm main' >"$APT_ETC/sources.list.d/deb-src.list"
cp "$APT_ETC/sources.list.d/debian.sources" "$WORK/before"
setup_step enable_deb_src
check "a separate deb-src file for the archive is enough" cmp -s "$WORK/before" "$APT_ETC/sources.list.d/debian.sources"
fresh
rm "$APT_ETC/sources.list.d/debian.sources"
printf '# deb-src http://deb.debian.org/debian bookworm main\ndeb [arch=amd64] http://deb.debian.org/debian bookworm main\n' >"$APT_ETC/sources.list"
setup_step enable_deb_src '&&' enable_deb_src
check "a one-line sources list gets one deb-src list, a commented entry not counting" \
    eval 'lines "$APT_ETC/sources.list.d/deb-src.list" "^deb-src \[arch=amd64\] http://deb.debian.org/debian bookworm main$" 1'

echo "setup_tests: $passed passed, $failed failed"
[ "$failed" = 0 ]
