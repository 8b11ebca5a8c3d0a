#!/usr/bin/env bash
# Tries the Debian package on a freshly installed Debian 12, as a school's
# machine gets it:
#   1. debootstrap makes a minimal Debian 12 (minbase) in a folder under
#      /var/tmp, with an X server (Xvfb) and the desktop's MIME and
#      application databases;
#   2. `apt install ./scanbench_<version>_<arch>.deb` installs the package
#      with its dependencies from Debian; .bst is then a known file type that
#      the desktop entry opens, and `man scanbench-run` shows its page;
#   3. as an ordinary user: scanbench-run runs lesson 01 to its good HALT,
#      `scanbench --version` names the package's version, and the window
#      starts on lesson 01 under Xvfb (screenshot window.png), lists the
#      installed examples and lessons under File > Examples (screenshot
#      examples.png) and opens lesson 02 from there;
#   4. `apt remove scanbench` leaves no file of the package behind: none of
#      its files, no file or folder named after it, no MIME type or desktop
#      database entry. (Settings in the user's home stay, as with any
#      package.)
#
#   sudo scripts/fresh-install-check.sh [PACKAGE.deb]
#
# Without PACKAGE.deb it takes build-package/scanbench_*.deb, which
# scripts/package.sh builds. Needs root (debootstrap, chroot, mount) and
# Debian's mirror; takes several minutes and about 1 GB under /var/tmp, and
# is not part of the ordinary test run. The screenshots and the log go to
# build-package/fresh-install/.
# Environment: MIRROR (default http://deb.debian.org/debian), SECURITY_MIRROR
# (default http://deb.debian.org/debian-security), KEEP=1 keeps the system.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-install-check: needs root (debootstrap, chroot, mount)" >&2
    exit 2
fi
deb="${1:-}"
if [ -z "$deb" ]; then
    packages=(build-package/scanbench_*.deb)
    deb="${packages[0]}"
fi
if [ ! -f "$deb" ]; then
    echo "fresh-install-check: no package $deb; scripts/package.sh builds it" >&2
    exit 2
fi
mirror="${MIRROR:-http://deb.debian.org/debian}"
security_mirror="${SECURITY_MIRROR:-http://deb.debian.org/debian-security}"
out=build-package/fresh-install
rm -rf "$out"
mkdir -p "$out"
exec > >(tee "$out/log.txt") 2>&1

scripts/install-deps.sh debootstrap

system="$(mktemp -d /var/tmp/scanbench-fresh.XXXXXX)"
chmod 755 "$system" # the root folder of the new system
pids=()
# Ends the processes this script started, the last started first (the
# window before its X server).
stop_started() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    pids=()
}
cleanup() {
    stop_started
    if mountpoint -q "$system/proc"; then
        umount "$system/proc"
    fi
    if [ "${KEEP:-0}" = 1 ]; then
        echo "fresh-install-check: the system stays in $system"
    elif grep -q " $system/" /proc/mounts; then
        echo "fresh-install-check: $system still has mounts; left in place" >&2
    else
        rm -rf --one-file-system "$system"
    fi
}
trap cleanup EXIT

step() { echo "=== fresh-install-check: $*"; }
check_failed() {
    echo "fresh-install-check: FAILED: $*" >&2
    exit 1
}
# Runs a command in the new system, as root or as the user "student".
in_system() {
    chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
display=
as_student() {
    chroot --userspec="$student_ids" "$system" /usr/bin/env -i PATH=/usr/bin:/bin \
        HOME=/home/student LANG=C.UTF-8 DISPLAY="$display" "$@"
}
# Starts a command of the user in the background; $! is then its process.
start_as_student() {
    chroot --userspec="$student_ids" "$system" /usr/bin/env -i PATH=/usr/bin:/bin \
        HOME=/home/student LANG=C.UTF-8 DISPLAY="$display" "$@" &
}
# Waits up to 60 s for a command to succeed.
wait_for() {
    local tries
    for tries in $(seq 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
top_windows() { as_student xwininfo -root -children; }
screenshot() {
    sleep 1 # lets the window that just showed paint itself
    as_student sh -c "xwdtopnm /tmp/screen/Xvfb_screen0 2>/dev/null | pnmtopng > /tmp/screen/$1"
    cp "$system/tmp/screen/$1" "$out/$1"
    echo "screenshot: $out/$1"
}

step "a minimal Debian 12 in $system"
debootstrap --variant=minbase bookworm "$system" "$mirror"
cat >"$system/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security_mirror bookworm-security main
EOF
mount -t proc proc "$system/proc"
in_system apt-get update
# What a desktop brings along: an X server, the MIME and application
# databases whose triggers register the file type, man; and the tools of this
# check (window list, keys, screenshots).
in_system apt-get install -y --no-install-recommends xvfb x11-utils xdotool netpbm \
    shared-mime-info desktop-file-utils man-db
in_system useradd --create-home student
student_ids="$(in_system id -u student):$(in_system id -g student)"

step "apt install ./$(basename "$deb")"
cp "$deb" "$system/tmp/"
in_system apt install -y "./tmp/$(basename "$deb")"
in_system dpkg -L scanbench >"$out/installed-files.txt"
version="$(dpkg-deb -f "$deb" Version)"
[ -f "$system/usr/share/mime/application/x-scanbench-program.xml" ] ||
    check_failed "the .bst file type is not in the MIME database"
grep -q '^application/x-scanbench-program=.*scanbench\.desktop' \
    "$system/usr/share/applications/mimeinfo.cache" ||
    check_failed "the desktop database does not open .bst files with scanbench"

manual_page="$(as_student man -P cat scanbench-run)"
grep -q 'run a Scanbench boundary-scan test program' <<<"$manual_page" ||
    check_failed "man scanbench-run does not show the runner's manual page"

step "scanbench-run on lesson 01"
lesson=/usr/share/scanbench/examples/lessons/01-read-idcodes.bst
as_student scanbench-run "$lesson" | tee "$system/tmp/run.txt"
grep -qx 'end: halt' "$system/tmp/run.txt" || check_failed "lesson 01 did not end at its HALT"

step "scanbench --version"
answer="$(as_student scanbench --version)"
echo "$answer"
[ "$answer" = "scanbench $version" ] || check_failed "scanbench --version answered '$answer'"

step "the window under Xvfb"
mkdir -p "$system/tmp/screen"
chmod 1777 "$system/tmp/screen"
# The X server takes the first display number free on this machine (the
# chroot shares the host's network) and writes it to descriptor 3.
start_as_student Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir /tmp/screen -nolisten tcp \
    3>"$system/tmp/screen/display"
pids+=($!)
display_known() { grep -q '^[0-9]' "$system/tmp/screen/display"; }
wait_for display_known || check_failed "Xvfb did not start"
display=":$(head -n 1 "$system/tmp/screen/display")"
echo "Xvfb on $display"
start_as_student scanbench "$lesson"
window_pid=$!
pids+=("$window_pid")
# The main window shows with the lesson's name in its title; the splash
# screen over it closes by itself.
main_window_alone() {
    top_windows | grep -q '"Scanbench - 01-read-idcodes.bst' &&
        [ "$(top_windows | grep -c '("scanbench"')" -eq 1 ]
}
wait_for main_window_alone || check_failed "the window did not show"
screenshot window.png

# File > Examples > Lessons: each menu is a new top-level window. The File
# menu opens with a click on it (top left of the window, no window manager
# to give the window the keyboard), the rest with their underlined letters.
count_windows() { top_windows | grep -c '^ *0x' || true; }
more_windows() { [ "$(count_windows)" -gt "$1" ]; }
before="$(count_windows)"
as_student xdotool search --name '^Scanbench - ' mousemove --window %1 18 8 click 1
wait_for more_windows "$before" || check_failed "the File menu did not open"
for key in x l; do
    before="$(count_windows)"
    as_student xdotool key "$key"
    wait_for more_windows "$before" || check_failed "File > Examples > Lessons did not open"
done
screenshot examples.png
# The second lesson opens from there.
as_student xdotool key Down Return
lesson_two_open() { top_windows | grep -q '"Scanbench - 02-bypass.bst'; }
wait_for lesson_two_open || check_failed "lesson 02 did not open from File > Examples"
kill -0 "$window_pid" 2>/dev/null || check_failed "the window ended by itself"

step "apt remove scanbench"
stop_started
in_system apt remove -y scanbench
rm -f "$system/tmp/$(basename "$deb")"
left=0
while IFS= read -r path; do
    # Folders that other packages share (/usr/share/man ...) stay.
    if [ -e "$system$path" ] && { [ ! -d "$system$path" ] || [[ "$path" == *scanbench* ]]; }; then
        echo "left behind: $path"
        left=1
    fi
done <"$out/installed-files.txt"
named="$(cd "$system" && find . -xdev -iname '*scanbench*' -not -path './home/*' \
    -not -path './proc/*' -not -path './var/log/*' -print)"
if [ -n "$named" ]; then
    echo "left behind: $named"
    left=1
fi
mentions="$(grep -rl scanbench "$system/usr/share/mime" "$system/usr/share/applications" \
    "$system/usr/share/icons/hicolor" || true)"
if [ -n "$mentions" ]; then
    echo "still mentioned in: $mentions"
    left=1
fi
status="$(in_system dpkg-query -W -f='${db:Status-Status}' scanbench 2>/dev/null || true)"
case "$status" in
    "" | not-installed) ;;
    *) echo "dpkg still holds scanbench as: $status"; left=1 ;;
esac
[ "$left" -eq 0 ] || check_failed "apt remove left files of the package behind"
echo "In the user's home, as with any program: $(cd "$system/home/student" && find . -type f | tr '\n' ' ')"

step "passed: installed, ran lesson 01, showed the window and opened an installed lesson, removed without a trace"
