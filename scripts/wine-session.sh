# Shell functions for running the Windows build under Wine; source this file.
# A build folder has its own Wine prefix. A session adds a display (a private Xvfb when DISPLAY
# is unset) and a persistent wineserver: without one, Wine's helper processes keep the caller's
# output pipes open for seconds after each program ends.

wine_session_fonts=/usr/share/wine/fonts
wine_session_cjk_font="WenQuanYi Micro Hei"

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
        cp "$wine_session_fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
        wine_session_write_settings >"$WINEPREFIX/drive_c/settings.reg"
        wine regedit /S 'C:\settings.reg' >/dev/null 2>&1
        rm "$WINEPREFIX/drive_c/settings.reg"
        wineserver -w
        printf '%s\n' "$packages" >"$ready"
    ) 9>"$WINEPREFIX.lock"
}

# Debian's Wine has none of the faces that dialogs and captions ask for, so Chinese text would
# show as boxes: every such face becomes the CJK font. A virtual desktop stands in for the window
# manager that a bare X server lacks (without one, captions are not drawn and hiding a window
# waits for a reply that never comes).
wine_session_write_settings() {
    local face
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
    for face in "Tahoma" "SimSun" "NSimSun" "Microsoft YaHei" "Microsoft YaHei UI" \
        "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="%s"\n' "$face" "$wine_session_cjk_font"
    done
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n'
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="800x600"\n'
}

# Gives the prefix the display DPI that VARNIK_WINE_DPI asks for (96, 120, 144, 192...; 96 when
# unset). Wine takes it from LogPixels, read when its server starts, so a change is written with
# no server running and the server it started is ended; the prefix remembers its DPI, so an
# unchanged one costs nothing.
wine_session_apply_dpi() {
    local dpi=${VARNIK_WINE_DPI:-96}
    local marker="$WINEPREFIX/.dpi"
    if ! [[ $dpi =~ ^[1-9][0-9]*$ ]]; then
        echo "VARNIK_WINE_DPI must be a number of pixels per inch, not '$dpi'" >&2
        return 1
    fi
    [ "$(cat "$marker" 2>/dev/null)" = "$dpi" ] && return 0
    (
        flock 9
        wine_session_write_dpi "$dpi" >"$WINEPREFIX/drive_c/dpi.reg"
        wine regedit /S 'C:\dpi.reg' >/dev/null 2>&1
        rm "$WINEPREFIX/drive_c/dpi.reg"
        wine_session_stop_server
        echo "$dpi" >"$marker"
    ) 9>"$WINEPREFIX.lock"
}

# The display's DPI, where Wine's graphics driver and Windows programs look for it.
wine_session_write_dpi() {
    local key
    printf 'REGEDIT4\n'
    for key in 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        'HKEY_CURRENT_USER\Control Panel\Desktop'; do
        printf '\n[%s]\n"LogPixels"=dword:%08x\n' "$key" "$1"
    done
}

# Starts Xvfb on a free display and exports DISPLAY, unless a display is already set.
wine_session_start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local ready number=""
    ready=$(mktemp -u)
    mkfifo "$ready"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    read -r number <"$ready" || true
    rm -f "$ready"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

# Stops the Xvfb that wine_session_start_display started, if it started one.
wine_session_stop_display() {
    [ -n "${wine_session_xvfb_pid:-}" ] || return 0
    kill "$wine_session_xvfb_pid" 2>/dev/null || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
    wine_session_xvfb_pid=""
    unset DISPLAY
}

# Starts the persistent wineserver of the prefix, and Wine's own helper processes with it.
wine_session_start_server() {
    wineserver -p >/dev/null 2>&1
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

# Ends the wineserver of the prefix and every Wine process in it, and waits until the server
# is gone: a session started right after would otherwise find the dying server and lose it.
wine_session_stop_server() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
