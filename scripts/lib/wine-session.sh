# Shell functions for running the Windows builds under Wine; source this file (the emulated PC of
# the x86 tests sources it alone). A build folder has its own Wine prefix. A session adds a display
# and a persistent wineserver: without one, Wine's helper processes keep the caller's output pipes
# open for seconds after each program ends. CTest runs inside a session: the display and the
# server outlive every test, and the DPI is written before the server starts.

# Points Wine at the prefix of a build folder, quietly, without the Mono and Gecko installers.
# VARNIK_WINE_DLL_OVERRIDES adds overrides of Wine's (a test's, e.g. "comctl32=n,b").
wine_session_use_build() {
    export WINEPREFIX="$1/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=${VARNIK_WINE_DLL_OVERRIDES:+;$VARNIK_WINE_DLL_OVERRIDES}"
}

# The installed Wine packages, one line each. A prefix made before wine32 came fails every
# program once it is there (no syswow64), so a prefix belongs to the packages it was made with.
wine_session_packages() {
    dpkg-query -W -f='${Package}:${Architecture} ${Version} ${db:Status-Abbrev}\n' \
        wine wine64 wine32:i386 2>/dev/null || true
}

# Imports the registry text that a command prints into the prefix.
wine_session_import() {
    "$@" >"$WINEPREFIX/drive_c/import.reg"
    wine regedit /S 'C:\import.reg' >/dev/null 2>&1
    rm "$WINEPREFIX/drive_c/import.reg"
}

# Creates and configures the prefix once for the installed Wine packages; concurrent callers
# wait for the first one.
wine_session_create_prefix() {
    local ready="$WINEPREFIX/.configured" packages
    packages=$(wine_session_packages)
    [ -e "$ready" ] && [ "$(<"$ready")" = "$packages" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -e "$ready" ] && [ "$(<"$ready")" = "$packages" ] && exit 0
        rm -rf "$WINEPREFIX"
        if ! wineboot -i >/dev/null 2>&1; then
            echo "Wine could not create the prefix $WINEPREFIX" >&2
            exit 1
        fi
        # The caption buttons' glyphs.
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        wine_session_import wine_session_settings
        wineserver -w
        printf '%s\n' "$packages" >"$ready"
    ) 9>"$WINEPREFIX.lock"
}

# Debian's Wine has none of the faces that dialogs and captions ask for, so Chinese text would
# show as boxes: every such face becomes the CJK font. A virtual desktop stands in for the window
# manager that a bare X server lacks (without one, captions are not drawn and hiding a window
# waits for a reply that never comes).
wine_session_settings() {
    local face
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
    for face in "Tahoma" "SimSun" "NSimSun" "Microsoft YaHei" "Microsoft YaHei UI" \
        "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="WenQuanYi Micro Hei"\n' "$face"
    done
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n'
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="800x600"\n'
}

# The display's DPI, where Wine's graphics driver and Windows programs look for it.
wine_session_dpi_settings() {
    local key
    printf 'REGEDIT4\n'
    for key in 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        'HKEY_CURRENT_USER\Control Panel\Desktop'; do
        printf '\n[%s]\n"LogPixels"=dword:%08x\n' "$key" "$1"
    done
}

# Gives the prefix the display DPI that VARNIK_WINE_DPI asks for (96 when unset). Wine reads it
# when its server starts, so a change is written with no server running and the server it started
# is ended; the prefix remembers its DPI, so an unchanged one costs nothing.
wine_session_apply_dpi() {
    local dpi=${VARNIK_WINE_DPI:-96}
    if ! [[ $dpi =~ ^[1-9][0-9]*$ ]]; then
        echo "VARNIK_WINE_DPI must be a number of pixels per inch, not '$dpi'" >&2
        return 1
    fi
    [ "$(cat "$WINEPREFIX/.dpi" 2>/dev/null)" = "$dpi" ] && return 0
    (
        flock 9
        wine_session_import wine_session_dpi_settings "$dpi"
        wine_session_stop_server
        echo "$dpi" >"$WINEPREFIX/.dpi"
    ) 9>"$WINEPREFIX.lock"
}

# Ends the wineserver of the prefix and every Wine process in it, and waits until the server
# is gone: a session started right after would otherwise find the dying server and lose it.
wine_session_stop_server() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# Runs a command in the Wine session of a build folder (its prefix at the DPI that VARNIK_WINE_DPI
# asks for, 96 by default; a display; a persistent wineserver), then ends the session; returns the
# command's status. usage: with_wine_session <build folder> <command> [arguments...]
with_wine_session() (
    wine_session_use_build "$(realpath "$1")"
    shift
    wine_session_create_prefix && wine_session_apply_dpi || exit
    local xvfb="" ready number
    trap 'wine_session_stop_server; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    # A private Xvfb on a free display where none is set.
    if [ -z "${DISPLAY:-}" ]; then
        ready=$(mktemp -u)
        mkfifo "$ready"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
        xvfb=$!
        read -r number <"$ready" || true
        rm -f "$ready"
        [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
        export DISPLAY=":$number"
    fi
    # The persistent server, and Wine's own helper processes with it.
    wineserver -p >/dev/null 2>&1
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1
    "$@"
)

# Runs a Windows build's test passes under Wine: every test at 96 DPI, then for each label
# dpi-<N> the tests so labelled at N DPI (ctest -L). Every pass runs; a failing one fails the
# whole. Wine on a virtual display now and then fails to create a window (about one run in ten of
# the whole suite): the presets give a failing test one more run; a fault of ours fails both.
# usage: windows_passes <source folder> <build preset> [ctest arguments...]
windows_passes() {
    local source=$1 build=$2 dpi status=0
    shift 2
    echo "== $build at 96 DPI"
    (cd "$source" && with_wine_session "build/$build" ctest --preset "$build" "$@") || status=$?
    for dpi in $(cd "$source" && ctest --preset "$build" --print-labels |
        sed -n 's/^ *dpi-\([0-9]*\)$/\1/p'); do
        echo "== $build at $dpi DPI"
        (cd "$source" && VARNIK_WINE_DPI=$dpi with_wine_session "build/$build" \
            ctest --preset "$build" -L "^dpi-$dpi\$" "$@") || status=$?
    done
    return "$status"
}
