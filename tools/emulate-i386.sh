#!/usr/bin/env bash
# Runs a command as on our machines that cannot start 32-bit Linux programs and run them through
# qemu instead (Wine's 32-bit loader is one: there each start of a 32-bit Windows program costs
# about a minute). For the command's time every 32-bit Linux program on this machine starts
# through qemu-i386-static, and each start is listed in a file: its time and its arguments. The
# registration goes again when the command ends, however it ends.
#   tools/emulate-i386.sh [--starts FILE] COMMAND...
# For example, the Windows tests as such a machine runs them, from fresh prefixes:
#   rm -rf build/win/wineprefix build/win64/wineprefix
#   LANG=ja_JP.UTF-8 tools/emulate-i386.sh --starts /tmp/starts.txt make test-win
# Needs root (binfmt_misc) and a qemu for i386 programs: `bash tools/install-deps.sh --qemu`
# installs the one that such machines get. QEMU_I386 names another to run them with.
set -euo pipefail

starts=/dev/null
if [ "${1:-}" = "--starts" ]; then
    starts=$(realpath -m "$2")
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: emulate-i386.sh [--starts FILE] COMMAND..." >&2; exit 2; }

qemu=${QEMU_I386:-}
if [ -z "$qemu" ]; then
    for qemu in /usr/bin/qemu-i386 /usr/bin/qemu-i386-static; do
        [ ! -x "$qemu" ] || break
    done
fi
[ -x "$qemu" ] || { echo "emulate-i386: no qemu-i386 (bash tools/install-deps.sh --qemu installs one)" >&2; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
name=korvelt-emulated-i386
[ ! -e "$binfmt/$name" ] || { echo "emulate-i386: $binfmt/$name is there already: another run, or one that did not end" >&2; exit 1; }

work=$(mktemp -d)
interpreter="$work/qemu-i386-listed"
# The kernel hands the interpreter the program's full path, then its arguments.
cat >"$interpreter" <<EOF
#!/bin/sh
printf '%s %s\n' "\$(date +%s.%N)" "\$*" >>'$starts'
exec $qemu "\$@"
EOF
chmod +x "$interpreter"
: >>"$starts"

unregister() {
    [ ! -e "$binfmt/$name" ] || echo -1 | $sudo tee "$binfmt/$name" >/dev/null
    rm -rf "$work"
}
trap unregister EXIT
trap 'exit 130' INT TERM
# An i386 ELF executable or shared object, as Debian's qemu-user-binfmt registers it.
printf '%s' ":$name:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$interpreter:" \
    | $sudo tee "$binfmt/register" >/dev/null

"$@"
