#!/usr/bin/env bash
# The program as users get it: the files the install rules put under /usr,
# the Debian package, and the installed program started by an ordinary user
# from its read-only folder.
# Usage: tst_install.sh BUILD_DIR
build=$1
source "$(dirname "$0")/x11session.sh"
id=org.example.dovevad

expected=$(sort <<LIST
usr/bin/dovevad
usr/bin/dovevad-viewer
usr/share/applications/$id.desktop
usr/share/applications/$id.viewer.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/mime/packages/$id.xml
usr/share/doc/dovevad/copyright
usr/share/doc/dovevad/changelog.Debian.gz
usr/share/man/man1/dovevad.1.gz
usr/share/man/en/man1/dovevad.1.gz
usr/share/man/man1/dovevad-viewer.1.gz
usr/share/man/en/man1/dovevad-viewer.1.gz
usr/share/lintian/overrides/dovevad
usr/share/icons/hicolor/scalable/apps/$id.svg
$(for size in 16 24 32 48 64 72 128 256; do echo "usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done)
LIST
)

root="$work/root"
programs=$'dovevad\ndovevad-viewer'
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed"))"
report=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" "$root/usr/share/applications/$id.viewer.desktop" 2>&1) \
    && [ -z "$report" ] || fail "desktop entry: $report"
report=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) \
    || fail "metadata: $report"
! grep -E '^[EW]:' <<<"$report" || fail "metadata has errors or warnings"
for size in 16 24 32 48 64 72 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format '%wx%h %[channels]' "$png")" = "${size}x${size} srgb" ] \
        || fail "icon $png is $(identify -format '%wx%h %[channels]' "$png")"
done
grep -q 'viewBox="0 0 72 72"' "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "scalable icon"
# The record's type, as the desktop's database makes of it, by name and by content.
mime="$work/mime"
mkdir -p "$mime/packages"
cp "$root/usr/share/mime/packages/$id.xml" "$mime/packages/"
report=$(XDG_DATA_DIRS="$work" update-mime-database "$mime" 2>&1) && [ -z "$report" ] || fail "the record's type: $report"
grep -qx 'application/x-dovevad-record:\*.dovrec' "$mime/globs" || fail "the record's type has no name: $(cat "$mime/globs")"
grep -aq 'application/x-dovevad-record' "$mime/magic" || fail "the record's type is not told by its content"
ok "install rules put exactly the program, its entry, metadata, the record's type and icons in place; all valid"

# Built under a umask that lets the group write, which must not reach the package.
(umask 002 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(echo "$work"/package/dovevad_1.01-1_*.deb)
[ -f "$deb" ] || fail "no package dovevad_1.01-1_*.deb"
modes=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print $1, $6 }')
[ -z "$modes" ] || fail "folders of the package with the builder's modes: $modes"
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
[ "$packaged" = "$expected" ] || fail "packaged files differ:$(diff <(echo "$expected") <(echo "$packaged"))"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libc6 (>=' 'libqt6widgets6 (>=' 'libqt6core6 (>=' fonts-liberation2 qt6-qpa-plugins xdg-utils hicolor-icon-theme; do
    [[ ", $depends," == *", $needed"* ]] || fail "Depends lacks $needed: $depends"
done
# The Vulkan loader is opened where it is there: recommended, not needed.
[[ "$depends" != *libvulkan* ]] || fail "Depends names the Vulkan loader: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = libvulkan1 ] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
for field in Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the package has no $field"
done
report=$(TMPDIR="$work" lintian "$deb" 2>&1) || true # its scratch files go with the test
! grep -E '^[EW]:' <<<"$report" || fail "lintian finds errors or warnings"
dynamic=$(readelf -d "$root/usr/bin/dovevad")
grep -q BIND_NOW <<<"$dynamic" || fail "the program is not linked with -z now"
! grep -q 'NEEDED.*libvulkan' <<<"$dynamic" || fail "the program needs the Vulkan loader to start"
symbols=$(readelf -W --dyn-syms "$root/usr/bin/dovevad")
grep -q "__[a-z]*_chk@" <<<"$symbols" || fail "no fortified calls in the program"
apt-get install -s --no-install-recommends "$deb" 2>&1 | grep -q '^Inst dovevad ' \
    || fail "the package's dependencies cannot be met on this system"
# Installed and removed in a package database of its own, which leaves the
# machine's alone.
admin="$work/dpkgroot"
mkdir -p "$admin/var/lib/dpkg/info" "$admin/var/lib/dpkg/updates"
touch "$admin/var/lib/dpkg/status"
dpkg_own=(dpkg "--root=$admin" --log=/dev/null --force-depends)
[ "$(id -u)" -eq 0 ] || dpkg_own=(fakeroot "${dpkg_own[@]}" --force-not-root)
"${dpkg_own[@]}" -i "$deb" >/dev/null 2>&1 || fail "dpkg -i failed"
[ "$(cd "$admin" && find usr ! -type d | sort)" = "$expected" ] || fail "dpkg -i placed other files"
"${dpkg_own[@]}" -r dovevad >/dev/null 2>&1 || fail "dpkg -r failed"
[ ! -e "$admin/usr" ] || fail "dpkg -r left: $(find "$admin/usr")"
ok "package $(basename "$deb"): the same files; Depends: $depends; installs and removes cleanly"

home="$work/home"
home_of_user "$home"
read_only_to_user "$root/usr/bin"
program="$root/usr/bin/dovevad"
start_program "$program" env -u XDG_DATA_HOME "HOME=$home" "${ordinary_user[@]}"
class=$(xprop -id "$win" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
grep -qx "StartupWMClass=$class" "$root/usr/share/applications/$id.desktop" \
    || fail "the entry's StartupWMClass does not name the window's class $class"
type_target AB
click_command1
answer_box 'Gefunden!'
log="$home/.local/share/Dovevad/Generated Chars.txt"
[ -f "$log" ] || fail "no log in the user's data folder: $(cat "$work/stderr")"
check_log_lines "$log"
letters=$(tr -d '\r\n' <"$log")
[ "${letters: -2}" = AB ] || fail "the log ends in ${letters: -2}"
env "HOME=$home" "${ordinary_user[@]}" "$program-viewer" --text "${log%.txt}.dovrec" >"$work/record.txt" \
    && cmp -s "$work/record.txt" "$log" || fail "the record as text is not the log: $(cmp "$work/record.txt" "$log" 2>&1)"
[ "$(tail -n 1 "$work/opened")" = "$(url_of "$log")" ] || fail "the viewer was asked for $(tail -n 1 "$work/opened")"
[ "$(ls "$root/usr/bin")" = "$programs" ] || fail "the program's folder changed: $(ls "$root/usr/bin")"
click_command1
close_program 0
[ -z "$(ls -A "$(dirname "$log")")" ] || fail "left in the user's data folder: $(ls -A "$(dirname "$log")")"
ok "from a read-only folder the log and its record live in the user's data folder, the log is opened there, the record turns into the same text, and both are removed on close"

# The menu entry's action starts a run that writes its record alone, as a
# desktop starts it.
read -ra action <<<"$(sed -n '/^\[Desktop Action kompakt\]/,/^\[/s/^Exec=//p' "$root/usr/share/applications/$id.desktop")"
[ "${action[0]:-}" = dovevad ] || fail "the compact action runs: ${action[*]}"
program_args=("${action[@]:1}")
start_program "$program" env -u XDG_DATA_HOME "HOME=$home" "${ordinary_user[@]}"
program_args=()
type_target AB
click_command1
answer_box 'Gefunden!'
[ ! -e "$log" ] && [ -s "${log%.txt}.dovrec" ] || fail "the compact action wrote a log, or no record"
click_command1
close_program 0
pkill -f "$root/usr/bin/dovevad-viewer" || true
ok "the menu entry's compact action starts a run that writes its record alone"

# Root may write anywhere, yet an installed program keeps out of /usr.
root_home="$work/root-home"
mkdir "$root_home"
chmod u+w "$root/usr/bin"
start_program "$program" env -u XDG_DATA_HOME "HOME=$root_home"
type_target AB
click_command1
answer_box 'Gefunden!'
log="$root_home/.local/share/Dovevad/Generated Chars.txt"
[ -f "$log" ] || fail "no log in the data folder of a user who may write beside the program"
[ "$(ls "$root/usr/bin")" = "$programs" ] || fail "written beside the installed program: $(ls "$root/usr/bin")"
click_command1
close_program 0
printf 'A\r\nB\r\n' >"$work/by-hand.txt"
env "HOME=$home" "${ordinary_user[@]}" "$program-viewer" "$work/by-hand.txt" 2>>"$work/stderr" &
pids+=($!)
wait_until '[ -n "$(find_window "by-hand\.txt – 2 Zeichen – Dovevad-Logbetrachter")" ]'
ok "started where it may write beside itself, the installed program still keeps its log in the data folder; the installed viewer shows a log for an ordinary user"

for option in --help --version; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$option") || fail "$option failed"
    [[ "$out" == "Dovevad 1.01"* ]] || fail "$option printed: $out"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program-viewer" "$option") || fail "$option failed"
    [[ "$out" == "Dovevad-Logbetrachter 1.01"* ]] || fail "the viewer's $option printed: $out"
done
status=0
env -u DISPLAY "$program" --no-such-option 2>"$work/stderr" || status=$?
[ "$status" -eq 2 ] && grep -q 'no-such-option' "$work/stderr" || fail "an unknown option: status $status, $(cat "$work/stderr")"
ok "--help and --version need no display; an unknown option is named, status 2"

# One language for everything, the user's where the program has it.
for row in de_DE.UTF-8:Aufruf C:Aufruf fr_FR.UTF-8:Aufruf en_US.UTF-8:Usage; do
    out=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES "LANG=${row%%:*}" "$program" --help)
    [[ "$out" == *$'\n'"${row#*:}: dovevad"* ]] || fail "--help under LANG=${row%%:*}: $out"
done
status=0
env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$program" -platform 2>"$work/stderr" || status=$?
[ "$status" -eq 2 ] && grep -q '^dovevad: .*platform.*; dovevad --help tells what works' "$work/stderr" \
    || fail "an English complaint: status $status, $(cat "$work/stderr")"
ok "--help in German under German, C and French, in English under English, and so are complaints"
