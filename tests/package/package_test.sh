#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a fresh folder (no dpkg -i:
# nothing of the machine is touched) and checks what a user would get from installing it.
# Usage: package_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check_file() { [[ -f "$root/$1" ]] || fail "$1 is not in the package"; }
check_exec() { [[ -f "$root/$1" && -x "$root/$1" ]] || fail "$1 is not an executable file"; }

# -- Build the package -------------------------------------------------------------------------
if ! cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack did not make the package" >&2
    exit 1
fi
debs=("$work"/cpack/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one .deb, got: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# -- Control data ------------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == voxscribe ]] || fail "package name is '$(field Package)'"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "architecture is '$(field Architecture)'"
# The package names of a relation field, one a line, without versions.
names() { field "$1" | tr ',|' '\n\n' | sed 's/(.*//; s/[[:space:]]//g' | grep -v '^$' || true; }
depends=$(names Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins fonts-wqy-microhei \
    libespeak-ng1 espeak-ng-data; do
    grep -qxF "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done
grep -qxF libreoffice-writer <<<"$(names Suggests)" || fail "LibreOffice is not suggested"
grep -q libreoffice <<<"$depends" && fail "LibreOffice must be suggested, not required"

# -- Layout ------------------------------------------------------------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$work/control"
program=usr/lib/voxscribe
check_exec $program/voxscribe
check_exec $program/regcomponent
check_file $program/libsonabet.so
check_file $program/Ksphonet.ttf
check_file $program/LICENSE-DejaVu.txt
check_file $program/help.htm
file -b "$root/$program/voxscribe" | grep -q '^ELF .*executable\|^ELF .*pie' || fail "voxscribe is not an ELF program"
file -b "$root/$program/libsonabet.so" | grep -q '^ELF .*shared object' || fail "libsonabet.so is not a shared object"
file -b "$root/$program/voxscribe" | grep -q 'not stripped' && fail "voxscribe is not stripped"

# The manual page and the change log, whose newest entry is the packaged version.
gzip -t "$root/usr/share/man/man1/voxscribe.1.gz" 2>/dev/null || fail "no manual page for voxscribe"
zcat "$root/usr/share/man/man1/voxscribe.1.gz" 2>/dev/null | grep -qF -- '\-\-batch' ||
    fail "the manual page does not describe --batch"
changelog_version=$(zcat "$root/usr/share/doc/voxscribe/changelog.gz" 2>/dev/null | sed -n '1s/^voxscribe (\([^)]*\)).*/\1/p')
[[ $changelog_version == "$(field Version)" ]] ||
    fail "change log version '$changelog_version' is not the package's '$(field Version)'"

# Only /usr. The font stands in the program folder, where the launcher's message points, and in
# a folder of its own below /usr/share/fonts, the same file, for every user; fontconfig's package
# trigger refreshes the cache, so no maintainer script deals with fonts.
others=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[[ -z $others ]] || fail "files outside /usr: $others"
system_font=usr/share/fonts/truetype/voxscribe/Ksphonet.ttf
check_file $system_font
cmp -s "$root/$system_font" "$root/$program/Ksphonet.ttf" ||
    fail "the font for every user differs from the program folder's"
[[ $(stat -c %a "$root/$system_font") == 644 ]] || fail "the installed font is not readable by all"
fonts=$(cd "$root" && find . -type f \( -iname '*.ttf' -o -iname '*.otf' \) ! -path "./$program/*" \
    ! -path "./$system_font")
[[ -z $fonts ]] || fail "other font files: $fonts"
grep -il 'font' "$work"/control/{postinst,prerm,postrm} && fail "a maintainer script deals with fonts"
# fontconfig, configured to read the package's font folder, finds the face there.
if command -v fc-scan >/dev/null; then
    [[ $(fc-scan --format '%{family}' "$root/$system_font") == "Kingsoft Phonetic Plain" ]] ||
        fail "the installed font is not the face Kingsoft Phonetic Plain"
fi

# The licence: GPL-3.0-or-later for the program, in the package's copyright and the AppStream
# data; the font keeps its own licence file.
copyright=$root/usr/share/doc/voxscribe/copyright
check_file usr/share/doc/voxscribe/copyright
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "the copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "the copyright file does not say GPL-3.0-or-later"
grep -q "LICENSE-DejaVu.txt" "$copyright" || fail "the copyright file does not name the font's licence"

# The command on the PATH leads to the program in the program folder.
[[ -L $root/usr/bin/voxscribe ]] || fail "usr/bin/voxscribe is not a link"
[[ $(readlink -f "$root/usr/bin/voxscribe") == "$root/$program/voxscribe" ]] ||
    fail "usr/bin/voxscribe leads to $(readlink -f "$root/usr/bin/voxscribe")"

# The libraries the program links against are all there (libsonabet.so is loaded at run time).
missing=$(ldd "$root/$program/voxscribe" "$root/$program/regcomponent" "$root/$program/libsonabet.so" | grep 'not found' || true)
[[ -z $missing ]] || fail "unresolved libraries: $missing"

# -- Desktop entry, icon, AppStream data -------------------------------------------------------
desktop=$root/usr/share/applications/org.voxscribe.Voxscribe.desktop
metainfo=$root/usr/share/metainfo/org.voxscribe.Voxscribe.metainfo.xml
if [[ -f $desktop ]]; then
    desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
    entry() { sed -n "s/^$1=//p" "$desktop"; }
    [[ $(entry Name) == Voxscribe ]] || fail "desktop Name is '$(entry Name)'"
    [[ $(entry 'Name\[zh_CN\]') == 音标标注 ]] || fail "desktop zh_CN name is '$(entry 'Name\[zh_CN\]')'"
    exec_command=$(entry Exec | cut -d' ' -f1)
    [[ -x $root/usr/bin/$exec_command ]] || fail "Exec '$exec_command' is not a command in /usr/bin"
    icon=$(entry Icon)
    [[ -f $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon '$icon'"
    for size in 48 128; do
        png=$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
        file -b "$png" 2>/dev/null | grep -q "^PNG image data, $size x $size," ||
            fail "no ${size}x$size PNG icon '$icon'"
    done
else
    fail "no desktop entry"
fi
if [[ -f $metainfo ]]; then
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "the AppStream data does not validate"; }
    grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
        fail "the AppStream data does not launch the desktop entry"
    grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
        fail "the AppStream data does not say GPL-3.0-or-later"
else
    fail "no AppStream data"
fi

# -- Maintainer scripts, run against the unpacked tree -----------------------------------------
# The scripts name the installed program folder; pointed at the unpacked one, and with the
# system-wide registration folder inside it, they do what they would do on a real system.
[[ -d $root/usr/share/components && -z $(ls -A "$root/usr/share/components") ]] ||
    fail "the package does not ship an empty usr/share/components"
record=$root/usr/share/components/sonabet.ipa.component
export COMPONENT_SYSTEM_REGISTRY_DIR=$root/usr/share/components
export COMPONENT_REGISTRY_DIR=$work/home/registry
export XDG_DATA_HOME=$work/home/data HOME=$work/home XDG_RUNTIME_DIR=$work/home/runtime
mkdir -p "$COMPONENT_REGISTRY_DIR" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The program's library is private to its folder, so no script runs ldconfig.
grep -lE '^[^#]*ldconfig' "$work"/control/* && fail "a maintainer script runs ldconfig"
for script in postinst prerm postrm; do
    [[ -x $work/control/$script ]] || fail "no executable $script"
    sed "s#/usr/#$root/usr/#g" "$work/control/$script" >"$work/$script"
done
for script in postinst prerm; do
    grep -qE "/$program/regcomponent\"? --system" "$work/control/$script" 2>/dev/null ||
        fail "$script does not call regcomponent --system"
done

sh "$work/postinst" configure || fail "postinst configure failed"
if [[ -f $record ]]; then
    grep -qx "library=$root/$program/libsonabet.so" "$record" ||
        fail "the record does not name the packaged library: $(cat "$record")"
    grep -qx 'clsid={.*}' "$record" || fail "the record has no class identifier"
else
    fail "postinst did not register the component system-wide"
fi
[[ -z $(ls -A "$COMPONENT_REGISTRY_DIR") ]] || fail "postinst wrote into the user's registration folder"

# -- The unpacked program at work ----------------------------------------------------------------
# Started through the command on the PATH, it annotates a word list from the command line, once
# with the system-wide registration and once, after removal, with none at all: either way it must
# find the dictionary library in its own folder.
printf 'apple\r\nzebra\r\nQuality\r\n' >"$work/words.txt"
annotate() {
    local out=$work/$1.rtf
    # No display: a script runs the batch where no desktop is.
    if ! env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
        "$root/usr/bin/voxscribe" --batch "$work/words.txt" --output "$out" >"$work/$1.log" 2>&1; then
        cat "$work/$1.log" >&2
        fail "$1: the batch run failed"
        return
    fi
    for transcription in 5Apl '5zi:brE' 5kwRliti; do
        grep -qF "$transcription" "$out" || fail "$1: '$transcription' is not in the output"
    done
}
annotate registered
# The words with their transcriptions in Unicode IPA, for readers without the phonetic font.
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/voxscribe" \
    --batch "$work/words.txt" --format ipa >"$work/ipa.txt" 2>"$work/ipa.log" ||
    fail "the --format ipa run failed: $(cat "$work/ipa.log")"
grep -qxF $'quality\tˈkwɔliti' "$work/ipa.txt" || fail "--format ipa printed: $(cat "$work/ipa.txt")"

# Started the way the menu starts it, the program opens its launcher and stays until closed.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/voxscribe" >"$work/start.log" 2>&1 || status=$?
if [[ $status -ne 124 ]]; then
    cat "$work/start.log" >&2
    fail "the program ended (status $status) instead of staying with its launcher"
fi

sh "$work/prerm" remove || fail "prerm remove failed"
[[ ! -e $record ]] || fail "prerm left the system-wide record"
annotate unregistered
[[ -z $(ls -A "$COMPONENT_REGISTRY_DIR") ]] || fail "the program registered itself for the user"

# A record that outlived a failed unregistration goes with postrm, and the emptied folder too.
sh "$work/postinst" configure || fail "postinst configure failed the second time"
[[ -f $record ]] || fail "postinst did not register again"
sh "$work/postrm" remove || fail "postrm remove failed"
[[ ! -e $record ]] || fail "postrm left a record naming the removed library"
[[ ! -e $root/usr/share/components ]] || fail "postrm left the emptied registration folder"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
