#!/usr/bin/env bash
# Installing Debian packages for the set-up. Sourced by scripts/setup.sh, and by its test with
# stand-ins for apt-get and dpkg earlier on PATH.
#
# Debian's package lists can be caught mid-sync for days: `apt-get update` then exits 100 although
# most lists came in, and i386 packages whose amd64 twins already moved to newer versions cannot be
# installed ("held broken packages"). So a failed update is only reported, a download failing for a
# moment is tried again, only a needed package that cannot be installed is an error, and the 32-bit
# Wine is an extra whose failure leaves the package system as it was.

APT_ETC=${APT_ETC:-/etc/apt}
APT_TRIES=${APT_TRIES:-3}
APT_PAUSE=${APT_PAUSE:-3}

# apt's own reason for a failure: its first error line, without the "E: ".
apt_reason() {
    local line
    line=$(grep -a -m 1 '^E: ' "$1" | sed 's/^E: *//; s/[[:space:]]\+/ /g')
    echo "${line:-apt-get ended with an error}"
}

# Whether a failure logged in $1 was a download that may well work in a moment.
apt_transient() {
    grep -aqE 'Failed to fetch|unexpected size|Mirror sync|Hash Sum mismatch|Temporary failure|Could not (resolve|connect)|Connection (failed|timed out)|Unable to fetch' "$1"
}

# Runs apt-get with the given arguments, trying a transient failure again; the log of the last try is
# left in $APT_LOG.
apt_try() {
    local try
    : "${APT_LOG:=$(mktemp)}"
    for ((try = 1; ; try++)); do
        DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Retries=2 "$@" >"$APT_LOG" 2>&1 && return 0
        if [ "$try" -ge "$APT_TRIES" ] || ! apt_transient "$APT_LOG"; then
            return 1
        fi
        sleep "$APT_PAUSE"
    done
}

# Brings the package lists up to date as far as the mirrors allow. A failure is said in one line (unless
# the argument is "quiet") and the set-up goes on with the lists that came.
apt_update() {
    if ! apt_try update -qq && [ "${1:-}" != quiet ]; then
        echo "setup: apt-get update failed ($(apt_reason "$APT_LOG")); going on with the package lists that came" >&2
    fi
}

# Installs the given packages. On failure APT_FAILED holds one line for each package that apt
# refuses, with apt's reason (or the whole list, when no single package is to blame).
apt_install() {
    APT_FAILED=()
    apt_try install -y -qq --no-install-recommends "$@" && return 0
    local whole p
    whole=$(apt_reason "$APT_LOG")
    for p in "$@"; do
        apt-get install -s -qq --no-install-recommends "$p" >"$APT_LOG" 2>&1 || APT_FAILED+=("$p: $(apt_reason "$APT_LOG")")
    done
    [ "${#APT_FAILED[@]}" -gt 0 ] || APT_FAILED=("$*: $whole")
    return 1
}

# Whether any sources file has a deb-src entry for an archive it also takes binary packages from.
has_deb_src() {
    local files=()
    [ -f "$APT_ETC/sources.list" ] && files+=("$APT_ETC/sources.list")
    local f
    for f in "$APT_ETC"/sources.list.d/*.list "$APT_ETC"/sources.list.d/*.sources; do
        [ -f "$f" ] && files+=("$f")
    done
    [ "${#files[@]}" -gt 0 ] || return 1
    # Prints "type uri" for each entry: one-line entries as they stand, deb822 stanzas once per type.
    awk '
        FNR == 1 { flush() }
        /^[[:space:]]*#/ { next }
        FILENAME ~ /\.list$/ {
            if ($1 == "deb" || $1 == "deb-src") {
                uri = ($2 ~ /^\[/) ? "" : $2
                for (i = 2; uri == "" && i <= NF; i++) if ($i ~ /\]$/) uri = $(i + 1)
                print $1, uri
            }
            next
        }
        /^[[:space:]]*$/ { flush(); next }
        tolower($1) == "types:" { types = ""; for (i = 2; i <= NF; i++) types = types " " $i }
        tolower($1) == "uris:" { uris = ""; for (i = 2; i <= NF; i++) uris = uris " " $i }
        function flush(   t, u, nt, nu, i, j) {
            nt = split(types, t, " "); nu = split(uris, u, " ")
            for (i = 1; i <= nt; i++) for (j = 1; j <= nu; j++) print t[i], u[j]
            types = ""; uris = ""
        }
        END { flush() }
    ' "${files[@]}" | awk '
        { sub(/\/+$/, "", $2) }
        $1 == "deb" { bin[$2] = 1 }
        $1 == "deb-src" { src[$2] = 1 }
        END { for (u in src) if (u in bin) found = 1; exit found ? 0 : 1 }
    '
}

# libjpeg-turbo is cross-built from Debian's source package, which needs a deb-src entry: added once,
# beside the binary entries, unless some sources file has one already.
enable_deb_src() {
    has_deb_src && return 0
    local f=$APT_ETC/sources.list.d/debian.sources
    if [ -f "$f" ]; then
        sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    elif [ -f "$APT_ETC/sources.list" ]; then
        grep -h '^deb ' "$APT_ETC/sources.list" | sed 's/^deb /deb-src /' >"$APT_ETC/sources.list.d/deb-src.list"
    fi
}

# Installs what the program's 64-bit build and its tests need. A package that cannot be had ends the
# set-up with its name and apt's reason.
install_needed() {
    [ "$#" -gt 0 ] || return 0
    echo "setup: installing $*" >&2
    enable_deb_src
    apt_update
    apt_install "$@" && return 0
    printf 'setup: cannot install %s\n' "${APT_FAILED[@]}" >&2
    return 1
}

# Installs 32-bit Wine for the 32-bit build's tests. When it cannot be had, for whatever reason, says
# so in one line (its only line either way) and takes the i386 architecture away again if this call added it and nothing of it
# got installed, so that later apt-get runs on the machine are not held up by its lists. Never fails
# the set-up.
install_wine32() {
    local added=0 reason
    APT_FAILED=()
    if ! grep -qx i386 <<<"$(dpkg --print-foreign-architectures)"; then
        if dpkg --add-architecture i386; then
            added=1
        else
            APT_FAILED=("dpkg could not add the i386 architecture")
        fi
    fi
    if [ "${#APT_FAILED[@]}" = 0 ]; then
        apt_update quiet
        if apt_install wine32:i386; then
            echo "setup: installed wine32:i386 for the 32-bit build's tests" >&2
            return 0
        fi
    fi
    reason=${APT_FAILED[0]#wine32:i386: }
    if [ "$added" = 1 ] && ! grep -qx i386 <<<"$(dpkg-query -W -f '${Architecture}\n' 2>/dev/null)"; then
        dpkg --remove-architecture i386 || true
    fi
    echo "setup: 32-bit Wine cannot be installed ($reason); the 32-bit program is built but its tests are not run; a later run tries again" >&2
    return 0
}
