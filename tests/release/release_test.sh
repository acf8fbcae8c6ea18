#!/usr/bin/env bash
# The release packages of scripts/package: two builds in different folders give the same
# remvana.exe and zip; under Wine the MSI installs quietly and registers the product, the
# installed program lists it, a package of a higher version replaces it, and quiet removal
# leaves neither registration nor folder. Run by `scripts/test --release`; prints one
# "PASS <check>" or "FAIL <check>: <why>" line per check.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

work=$BUILD_DIR/release-test
rm -rf "$work"
mkdir -p "$work"
trap 'stop_wine; stop_xvfb' EXIT

failures=0
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

# Both builds from these sources, in folders of their own.
package_into() {
    REMVANA_BUILD_DIR=$work/$1 REMVANA_DIST_DIR=$work/$1/dist \
        "$REMVANA_ROOT/scripts/package" --dirty >"$work/package-$1.log" 2>&1
}
if ! package_into first || ! package_into second; then
    fail "scripts/package builds a release" "$(tail -5 "$work"/package-*.log)"
    exit 1
fi
pass "scripts/package builds a release"

version=$(program_version)
name=remvana-$version-x64
first=$work/first/dist second=$work/second/dist
if cmp "$work/first/release/stage/remvana.exe" "$work/second/release/stage/remvana.exe" &&
    cmp "$first/$name.zip" "$second/$name.zip"; then
    pass "two builds give the same remvana.exe and zip"
else
    fail "two builds give the same remvana.exe and zip" "the bytes differ"
fi
listing=$(python3 -c 'import sys, zipfile
print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$first/$name.zip")
if [[ $listing == "remvana.exe README.txt" ]] && (cd "$first" && sha256sum --quiet -c SHA256SUMS); then
    pass "the zip holds the program and README, SHA256SUMS covers both"
else
    fail "the zip holds the program and README, SHA256SUMS covers both" "zip holds: $listing"
fi

start_xvfb && use_wine_prefix "$work/prefix" || { fail "Wine prefix" "could not be made"; exit 1; }
uninstall_store='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed=$WINEPREFIX/drive_c/Program\ Files/Kelvane/Remvana
# Windows puts the shortcut of an installation for all users into the common Start menu;
# Wine's msiexec puts it into the installing user's.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KV Remvana.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KV Remvana.lnk")
shortcut_exists() { [[ -f ${shortcuts[0]} || -f ${shortcuts[1]} ]]; }
# A program outside the installation folder, to list the stores after the removal too.
lister=$work/first/release/stage/remvana.exe

# msiexec, quietly; then waits until every process of the prefix has ended, so that what
# the installation started has finished too before a check looks.
msiexec_quietly() {
    wine msiexec "$@" /qn
    local rc=$?
    wineserver -w
    return $rc
}
# The key names of the "KV Remvana" lines of remvana.exe --list.
registered_keys() { wine "$1" --list | tr -d '\r' | sed -n 's/|||KV Remvana$//p'; }
# Value $2 of the uninstall entry $1.
entry_value() {
    wine reg query "$uninstall_store\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)$/\\1/p"
}

if msiexec_quietly /i "$first/$name.msi" && [[ -f $installed/remvana.exe && -f $installed/README.txt ]] &&
    shortcut_exists; then
    pass "the MSI installs quietly into Program Files with a Start-menu shortcut"
else
    fail "the MSI installs quietly into Program Files with a Start-menu shortcut" \
        "$(ls "$installed" "${shortcuts[@]}" 2>&1 | tr '\n' ' ')"
fi

keys=$(registered_keys "$installed/remvana.exe")
old_key=$keys
if [[ $keys == \{*\} && $(wc -l <<<"$keys") == 1 ]]; then
    pass "the installed remvana.exe --list lists KV Remvana"
else
    fail "the installed remvana.exe --list lists KV Remvana" "entries: ${keys:-none}"
fi
expected=("DisplayName=KV Remvana" "DisplayVersion=$version" "Publisher=Kelvane"
    'DisplayIcon=C:\Program Files\Kelvane\Remvana\remvana.exe'
    "URLInfoAbout=http://www.kelvane.example/remvana/"
    'InstallLocation=C:\Program Files\Kelvane\Remvana\')
wrong=()
for pair in "${expected[@]}"; do
    [[ $(entry_value "$old_key" "${pair%%=*}") == "${pair#*=}" ]] ||
        wrong+=("${pair%%=*}=$(entry_value "$old_key" "${pair%%=*}")")
done
if ((${#wrong[@]} == 0)); then
    pass "the registration names product, version, publisher, icon, home page and folder"
else
    fail "the registration names product, version, publisher, icon, home page and folder" \
        "${wrong[*]}"
fi
version_line=$(wine "$installed/remvana.exe" --version | tr -d '\r')
if [[ $version_line == "KV Remvana $version" ]]; then
    pass "remvana.exe --version prints the package's version"
else
    fail "remvana.exe --version prints the package's version" "printed: $version_line"
fi

# A later release: the third number one higher.
IFS=. read -r major minor patch build <<<"$version"
newer=$major.$minor.$((patch + 1)).$build
build_msi "$work/first/release/stage" "$newer" "$work/newer.msi" >"$work/newer.log" 2>&1
keys=$(msiexec_quietly /i "$work/newer.msi" && registered_keys "$installed/remvana.exe")
if [[ $keys == \{*\} && $keys != "$old_key" && $(wc -l <<<"$keys") == 1 &&
    $(entry_value "$keys" DisplayVersion) == "$newer" ]]; then
    pass "a package of a higher version replaces the installed one"
else
    fail "a package of a higher version replaces the installed one" "entries: ${keys:-none}"
fi

msiexec_quietly /x "$work/newer.msi"
left=$(registered_keys "$lister")
[[ -e $installed ]] && left+=" folder"
[[ -e ${installed%/Remvana} ]] && left+=" maker-folder"
shortcut_exists && left+=" shortcut"
wine reg query 'HKLM\Software\Kelvane' >/dev/null 2>&1 && left+=" HKLM\\Software\\Kelvane"
if [[ -z $left ]]; then
    pass "quiet removal leaves no registration and no folder"
else
    fail "quiet removal leaves no registration and no folder" "left:$left"
fi

((failures == 0))
