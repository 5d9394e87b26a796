#!/usr/bin/env bash
# An install as an administrator makes it, checked from the outside.
#   programs: installed into a prefix of its own and then moved elsewhere, the programs answer
#             --version and --help, and vellum-admin creates a database and opens the shell with
#             the collation extension, found from the program's folder.
#   desktop:  the launcher, the software-centre entry and the manual pages pass their checkers.
#   package:  the Debian package holds the installed files and depends on the runtime packages.
# usage: check_install.sh MODE BUILD_DIR INSTALLED_FILES VERSION
# INSTALLED_FILES lists the files an install makes, one a line, relative to the prefix.
set -euo pipefail
mode=$1 build=$2 installed=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

install_into()
{
    cmake --install "$build" --prefix "$1" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
}

installed_file() # NAME: the installed file whose name ends in NAME
{
    grep -m1 -E "(^|/)$1\$" "$installed" || fail "no $1 in $installed"
}

# The command's output, which must be empty, with its exit status.
quiet()
{
    local output
    output=$("$@" 2>&1) || fail "$* exited with $?: $output"
    [ -z "$output" ] || fail "$*: $output"
}

# The programs installed beneath PREFIX answer and work on a database of their own.
exercise_programs() # PREFIX
{
    local admin vellum database
    admin="$1/$(installed_file vellum-admin)" vellum="$1/$(installed_file vellum)" database=$(mktemp -d -p "$work")

    local shown
    shown=$("$admin" --version) || fail "vellum-admin --version failed"
    [ "$shown" = "vellum-admin $version" ] || fail "vellum-admin --version: $shown"
    shown=$("$admin" --help) || fail "vellum-admin --help failed"
    [[ $shown == *"vellum-admin create-database DIR"* ]] || fail "vellum-admin --help: $shown"
    # Asked from a terminal without a display.
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vellum" --version) || fail "vellum --version failed"
    [ "$shown" = "Quor Vellum $version" ] || fail "vellum --version: $shown"
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vellum" --help) || fail "vellum --help failed"
    [[ $shown == *"--program-folder"* ]] || fail "vellum --help: $shown"

    "$admin" create-database "$database" >/dev/null || fail "create-database beneath $1"
    "$admin" check "$database" >/dev/null || fail "the created database does not pass the check"
    if command -v sqlite3 >/dev/null; then
        shown=$("$admin" shell "$database" Client.tps \
            "SELECT SName FROM CLI WHERE SName = 'fenwic' COLLATE VELLUM_NOCASE;" 2>&1) ||
            fail "vellum-admin shell: $shown"
        [ "$shown" = "FENWIC" ] || fail "vellum-admin shell with the collation: $shown"
    fi
}

check_programs()
{
    install_into "$work/prefix"
    while read -r file; do
        [ -f "$work/prefix/$file" ] || fail "$file was not installed"
    done <"$installed"
    mv "$work/prefix" "$work/moved"
    exercise_programs "$work/moved"
}

check_desktop()
{
    install_into "$work/prefix"
    local launcher icon
    launcher="$work/prefix/$(installed_file '[^/]*\.desktop')"
    icon=$(installed_file 'hicolor/scalable/apps/[^/]*\.svg')
    quiet desktop-file-validate "$launcher"
    grep -qx "Icon=$(basename "$icon" .svg)" "$launcher" || fail "the launcher does not name the icon $icon"
    appstreamcli validate --no-net "$work/prefix/$(installed_file '[^/]*\.metainfo\.xml')" >"$work/appstream.log" ||
        { cat "$work/appstream.log"; fail "appstreamcli validate"; }
    # The entry, its launcher and its icon together, as a software centre reads them.
    appstreamcli validate-tree --no-net "$work/prefix" >"$work/tree.log" ||
        { cat "$work/tree.log"; fail "appstreamcli validate-tree"; }
    while read -r file; do
        if [[ $file == */man1/*.1.gz ]]; then
            local warnings
            warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$work/prefix/$file" 2>&1 >/dev/null) ||
                fail "man $file"
            [ -z "$warnings" ] || fail "man $file: $warnings"
        fi
    done <"$installed"
}

check_package()
{
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >cpack.log) ||
        { cat "$work/cpack.log"; fail "cpack -G DEB"; }
    local debs=("$work"/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
    local deb=${debs[0]}
    dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/contents"
    while read -r file; do
        grep -qx "\./usr/$file" "$work/contents" || fail "the package holds no /usr/$file"
    done <"$installed"
    [ "$(dpkg-deb -f "$deb" Package)" = "quor-vellum" ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
    [ "$(dpkg-deb -f "$deb" Section)" = "office" ] || fail "package section"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
    # Computed from the programs' libraries, each with the version the build saw.
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libqt6core6 libqt6widgets6 libsqlite3-0 libc6; do
        [[ $depends =~ (^|, )$package(:[a-z0-9]+)?\ \(\>=\  ]] || fail "Depends lacks $package: $depends"
    done
    # The packaged (stripped) programs, unpacked where dpkg would not put them.
    dpkg-deb -x "$deb" "$work/root"
    exercise_programs "$work/root/usr"
}

case $mode in
programs) check_programs ;;
desktop) check_desktop ;;
package) check_package ;;
*) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
