# Shared by scripts/test, scripts/run and bench: installs what is missing, builds, and runs
# Wine inside a private X display. Source it; it defines functions only.

REMVANA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$(mkdir -p "${REMVANA_BUILD_DIR:-$REMVANA_ROOT/build}" && cd "${REMVANA_BUILD_DIR:-$REMVANA_ROOT/build}" && pwd)

# Debian packages the build and the tests need, with a command that proves each present.
required_packages() {
    cat <<'LIST'
cmake cmake
ninja-build ninja
g++ g++
g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-g++-posix
wine64 /usr/lib/wine/wine64
wine wine
fonts-wine /usr/share/wine/fonts/marlett.ttf
fonts-droid-fallback /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf
fonts-dejavu-core /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
xvfb Xvfb
imagemagick import
googletest /usr/src/googletest/CMakeLists.txt
nlohmann-json3-dev /usr/include/nlohmann/json.hpp
python3 python3
clang clang++
nsis makensis
wixl wixl
libclang-rt-14-dev /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a
LIST
}

# What scripts/package needs on top: wixl makes the MSI, zip the portable archive.
release_packages() {
    cat <<'LIST'
wixl wixl
zip zip
LIST
}

# Installs what is missing of a list ($1, a function printing "package probe" lines;
# required_packages when not given).
ensure_packages() {
    local missing=() pkg probe
    while read -r pkg probe; do
        if [[ $probe == /* ]]; then [[ -e $probe ]] || missing+=("$pkg")
        else command -v "$probe" >/dev/null 2>&1 || missing+=("$pkg"); fi
    done < <("${1:-required_packages}")
    ((${#missing[@]} == 0)) && return 0
    if [[ $(id -u) -ne 0 ]] || ! command -v apt-get >/dev/null; then
        echo "missing packages: ${missing[*]} (install them, or run as root on Debian)" >&2
        return 1
    fi
    echo "installing: ${missing[*]}" >&2
    apt-get update -qq >&2 &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
}

build_native() {
    cmake -S "$REMVANA_ROOT" -B "$BUILD_DIR/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
        cmake --build "$BUILD_DIR/native"
}

build_windows() {
    cmake -S "$REMVANA_ROOT" -B "$BUILD_DIR/mingw" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REMVANA_ROOT/cmake/mingw-w64.cmake" >/dev/null &&
        cmake --build "$BUILD_DIR/mingw"
}

# The release build: only remvana.exe, from its own fresh build folder ($1).
build_release_program() {
    rm -rf "$1"
    cmake -S "$REMVANA_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REMVANA_ROOT/cmake/mingw-w64.cmake" >/dev/null &&
        cmake --build "$1" --target remvana
}

# The program's version, as its version block carries it ("2.1.0.0"), from the one place
# it is set (src/app/win32/res/remvana.rc).
program_version() {
    local part number numbers=()
    for part in MAJOR MINOR PATCH BUILD; do
        number=$(sed -nE "s/^#define REMVANA_VERSION_$part ([0-9]+)\s*$/\1/p" \
            "$REMVANA_ROOT/src/app/win32/res/remvana.rc")
        [[ -n $number ]] || { echo "no REMVANA_VERSION_$part in remvana.rc" >&2; return 1; }
        numbers+=("$number")
    done
    (IFS=.; echo "${numbers[*]}")
}

# A string value of the version block ("ProductName", "CompanyName").
version_block_value() {
    sed -nE "s/^\s*VALUE \"$1\", \"([^\"]*)\"\s*$/\1/p" \
        "$REMVANA_ROOT/src/app/win32/res/remvana.rc"
}

# Builds the MSI: $1 the folder holding remvana.exe and README.txt, $2 the version, $3 the
# package to write (an absolute path). The product code follows from the version, so the same version always gets the
# same one and each version its own (what a major upgrade needs).
build_msi() {
    local folder=$1 version=$2 output=$3 wxs=$REMVANA_ROOT/packaging/remvana.wxs
    local upgrade_code product_code home_page
    upgrade_code=$(sed -nE 's/.*UpgradeCode="([0-9A-F-]{36})".*/\1/p' "$wxs")
    product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "remvana-" + sys.argv[2])).upper())' \
        "$upgrade_code" "$version") || return 1
    home_page=$(sed -nE 's/.*kProductSiteAddress = "([^"]+)".*/\1/p' \
        "$REMVANA_ROOT/src/actions/product_links.h")
    [[ -n $home_page ]] || { echo "no home page in src/actions/product_links.h" >&2; return 1; }
    # wixl finds the files by their names in the folder it runs in.
    (cd "$folder" && wixl -a x64 -o "$output" \
        -D Version="$version" -D ProductCode="$product_code" \
        -D ProductName="$(version_block_value ProductName)" \
        -D Manufacturer="$(version_block_value CompanyName)" -D HomePage="$home_page" "$wxs")
}

# Starts Xvfb on the first free display number; sets DISPLAY and XVFB_PID.
start_xvfb() {
    local n
    for n in $(seq 91 140); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            [[ -e /tmp/.X11-unix/X$n ]] && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [[ -n ${XVFB_PID:-} ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# Makes (once) and selects a Wine prefix; $1 is its folder.
use_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    install_window_fonts
}

# Debian ships Wine's own fonts (package fonts-wine) outside the folders Wine searches, so
# a prefix has none of them. The window's text is Tahoma (a stand-in draws wider than it
# measures, so labels cut their last letters); window frames draw their caption buttons'
# glyphs in Marlett (without it they show as "0 1 r"); list bullets use Symbol. A copy in
# the prefix's font folder fixes all three.
install_window_fonts() {
    local font fonts_dir=$WINEPREFIX/drive_c/windows/Fonts
    [[ -d $fonts_dir ]] || return 0
    for font in tahoma.ttf tahomabd.ttf marlett.ttf symbol.ttf; do
        font=/usr/share/wine/fonts/$font
        [[ -f $font && ! -f $fonts_dir/${font##*/} ]] && cp "$font" "$fonts_dir/"
    done
    return 0
}

# Tahoma has no CJK and hardly any Greek glyphs. Like Windows, Wine draws those from the
# fonts Tahoma is linked to, "MS UI Gothic" (msgothic.ttc) first and "Segoe UI Symbol"
# (seguisym.ttf) last, which a prefix lacks. Droid Sans Fallback and DejaVu Sans stand in:
# copied under those file names and registered as those faces' replacements, so the links
# find them and names, details and editors in Chinese, Japanese or Greek show glyphs.
# For the project's own prefixes only (never a user's).
install_fallback_fonts() {
    local fonts_dir=$WINEPREFIX/drive_c/windows/Fonts file face font added=0
    [[ -d $fonts_dir ]] || return 0
    while read -r file font face; do
        [[ -f $font ]] || continue
        [[ -f $fonts_dir/$file ]] || cp "$font" "$fonts_dir/$file"
        grep -q "\"${face%%=*}\"=\"${face#*=}\"" "$WINEPREFIX/user.reg" 2>/dev/null && continue
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" \
            /f >/dev/null 2>&1
        added=1
    done <<'FONTS'
msgothic.ttc /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf MS UI Gothic=Droid Sans Fallback
seguisym.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf Segoe UI Symbol=DejaVu Sans
FONTS
    ((added)) && wineserver -w
    return 0
}

# Xvfb runs no window manager, so windows would have no frame and Wine would wait two
# seconds for one whenever an active window is hidden or destroyed. For the project's own
# prefixes only (never a user's): Wine handles its windows itself and draws their frames.
unmanaged_wine_windows() {
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
}

# Undoes unmanaged_wine_windows: the desktop's window manager frames the windows again.
managed_wine_windows() {
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null || return 0
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
    wineserver -w
}

stop_wine() { [[ -n ${WINEPREFIX:-} ]] && wineserver -k >/dev/null 2>&1; true; }
