#!/usr/bin/env bash
# Installs what the three build trees and the tests need on a Debian machine.
# Quiet and quick when everything is already there.
#   --qemu  also a qemu for 32-bit programs where the machine runs them itself, for
#           tools/emulate-i386.sh
set -euo pipefail
with_qemu=false
[ "${1:-}" != "--qemu" ] || with_qemu=true

need=()
# Every tool whose output is read here runs in the C locale: the user's shell may be Japanese.
have() { LC_ALL=C dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

pkgs=(cmake make g++ clang googletest nlohmann-json3-dev
      g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-ipafont-gothic locales
      nsis fonts-wine wixl)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#need[@]} -gt 0 ]; then
    echo "install-deps: installing ${need[*]}"
    if ! LC_ALL=C dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
        $sudo dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in the middle of a sync serves an index whose size does not match its release
    # file for a few minutes: try again before giving up, then install from what did arrive.
    updated=false
    for try in 1 2 3 4 5; do
        if $sudo apt-get update -qq; then updated=true; break; fi
        echo "install-deps: apt-get update failed (try $try of 5)" >&2
        [ "$try" -eq 5 ] || sleep $((try * 15))
    done
    if ! $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; then
        $updated && exit 1
        # Without the security suite's i386 index the i386 libraries that Wine needs cannot match
        # their amd64 twins, which came from that suite. The main suite alone has both at one
        # version: install from it, in lists of its own.
        echo "install-deps: installing from the main suites alone" >&2
        alt=$(mktemp -d)
        mkdir -p "$alt/parts" "$alt/lists/partial"
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -e "$f" ] || continue
            awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' "$f" > "$alt/parts/$(basename "$f")"
        done
        [ -e /etc/apt/sources.list ] && grep -v -- '-security' /etc/apt/sources.list > "$alt/sources.list" || : > "$alt/sources.list"
        o=(-o "Dir::Etc::SourceParts=$alt/parts" -o "Dir::Etc::SourceList=$alt/sources.list" -o "Dir::State::Lists=$alt/lists")
        $sudo apt-get "${o[@]}" update -qq
        $sudo apt-get "${o[@]}" install -y -qq --no-install-recommends "${need[@]}" >/dev/null
        rm -rf "$alt"
    fi
fi

# ja_JP.UTF-8 is the users' locale and gives Wine code page 932; en_US.UTF-8 runs the tests as on
# a Windows of another language (without it Wine garbles the Japanese names of unix files).
for loc in ja_JP en_US; do
    if ! LC_ALL=C locale -a 2>/dev/null | grep -i "^$loc\.utf-\?8$" >/dev/null; then
        echo "install-deps: generating $loc.UTF-8"
        $sudo sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
        $sudo locale-gen >/dev/null
    fi
done

# Wine's 32-bit loader is a 32-bit Linux program. Where the kernel cannot start those (some
# virtual machines run no 32-bit code at all), qemu runs them: it is registered for i386 programs.
# A qemu before 9.1 walks its table of guest pages one page at a time on every mapping, and Wine
# maps much: each start of a 32-bit Windows program cost a minute of such walks, where a later
# qemu starts one in about a second. Where the release's own qemu is older, its backports' is
# taken; without them the older one still works, slowly.
binfmt=/proc/sys/fs/binfmt_misc
entry="$binfmt/qemu-i386"
qemu=/usr/bin/qemu-i386

recent_qemu() {
    local v
    v=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) && [ -x "$qemu" ] && dpkg --compare-versions "$v" ge 1:9.1
}

# qemu-user (statically linked from 9.1 on, as binfmt_misc's F flag needs) from the release, or
# else from its backports, read in lists of their own: the machine's sources stay as they are.
install_recent_qemu() {
    export DEBIAN_FRONTEND=noninteractive
    local candidate
    candidate=$(LC_ALL=C apt-cache policy qemu-user 2>/dev/null | awk '/Candidate:/ { print $2 }')
    if [ -n "$candidate" ] && [ "$candidate" != "(none)" ] && dpkg --compare-versions "$candidate" ge 1:9.1; then
        $sudo apt-get install -y -qq --no-install-recommends qemu-user >/dev/null && return
    fi
    local codename alt
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 1
    alt=$(mktemp -d)
    chmod 755 "$alt"
    mkdir -p "$alt/parts" "$alt/lists/partial"
    # The stanzas (or lines) of the release's own suites, turned to its backports.
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -e "$f" ] || continue
        awk -v suite="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
            !/-security/ && $0 ~ ("Suites:[^\n]*[ \t]" suite "([ \t\n]|$)") {
                sub(/Suites:[^\n]*/, "Suites: " suite "-backports"); print }' "$f" > "$alt/parts/$(basename "$f")"
    done
    if [ -e /etc/apt/sources.list ]; then
        grep -E "^deb[[:space:]].*[[:space:]]$codename[[:space:]]" /etc/apt/sources.list | grep -v -- '-security' \
            | sed "s/[[:space:]]$codename[[:space:]]/ $codename-backports /" > "$alt/sources.list" || :
    else
        : > "$alt/sources.list"
    fi
    local o=(-o "Dir::Etc::SourceParts=$alt/parts" -o "Dir::Etc::SourceList=$alt/sources.list" -o "Dir::State::Lists=$alt/lists")
    local result=0
    $sudo apt-get "${o[@]}" update -qq && \
        $sudo apt-get "${o[@]}" install -y -qq --no-install-recommends "qemu-user/$codename-backports" >/dev/null || result=1
    rm -rf "$alt"
    return $result
}

needs_qemu=false
if [ -e "$entry" ] || ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    needs_qemu=true
fi
if { $needs_qemu || $with_qemu; } && ! recent_qemu; then
    echo "install-deps: installing a qemu of 9.1 or later for 32-bit programs"
    if ! install_recent_qemu || ! recent_qemu; then
        echo "install-deps: no qemu of 9.1 or later: each 32-bit start will take a minute" >&2
        have qemu-user-static || $sudo apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
        qemu=/usr/bin/qemu-i386-static
    fi
fi
if $needs_qemu; then
    [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
    # A registration of an older qemu (an earlier run of this script) gives way.
    if [ -e "$entry" ] && ! grep -qx "interpreter $qemu" "$entry"; then
        echo -1 | $sudo tee "$entry" >/dev/null
    fi
    if [ ! -e "$entry" ]; then
        echo "install-deps: running 32-bit programs through $qemu"
        printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" \
            | $sudo tee "$binfmt/register" >/dev/null
    fi
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "install-deps: cannot run 32-bit programs" >&2; exit 1; }
fi
