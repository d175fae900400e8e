# Shell functions that build the Windows release artefacts; source this file.
# The same commit gives the same bytes in any folder at any time: the build leaves times and paths
# out of the executables (CMakeLists.txt), and a zip's entries carry the commit's time, a fixed
# order, fixed modes and no extra fields.

release_architectures=(x64 x86)
# The largest each architecture's Varnik.exe may be: 159 KiB and 206 KiB, about 15 % above the
# larger builds, Debian 13's (141,312 and 182,784 bytes; Debian 12's are smaller), so that a growth
# such as libstdc++'s verbose terminate handler coming back (about 70 KB) fails.
declare -A release_max_exe_bytes=([x64]=162816 [x86]=210944)

# Prints the toolchain file of an architecture, relative to the source folder.
release_toolchain() {
    case "$1" in
    x64) echo cmake/mingw-w64-x86_64.cmake ;;
    x86) echo cmake/mingw-w64-i686.cmake ;;
    *)
        echo "unknown architecture: $1" >&2
        return 1
        ;;
    esac
}

# Configures the Release build of an architecture.
# usage: release_configure <source folder> <architecture> <build folder>
release_configure() {
    local toolchain
    toolchain=$(release_toolchain "$2")
    cmake -S "$1" -B "$3" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$1/$toolchain" >/dev/null
}

# Prints the project version of a configured build folder.
release_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# Prints the time the zips' entries carry: SOURCE_DATE_EPOCH when set, else the time of the last
# commit of the given source folder.
release_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$1" log -1 --format=%ct
    fi
}

# Text files get CRLF line ends: Windows 7's Notepad shows LF-only text as one line, and
# sha256sum -c reads them.
release_crlf() {
    sed 's/\r*$/\r/'
}

# Prints the size of a build folder's Varnik.exe and its limit; fails when it is larger.
# usage: release_check_size <build folder> <architecture>
release_check_size() {
    local exe="$1/app/Varnik.exe" limit=${release_max_exe_bytes[$2]} size
    size=$(stat -c %s "$exe")
    printf 'Varnik.exe, %s: %d bytes (at most %d)\n' "$2" "$size" "$limit"
    if [ "$size" -gt "$limit" ]; then
        echo "$exe has $size bytes, more than the $limit allowed" >&2
        return 1
    fi
}

# Writes the zip of a build folder's Varnik.exe into the dist folder and adds
# the zip and the Varnik.exe inside it to the folder's SHA256SUMS. The exe is listed under the
# folder that Windows' "Extract All" makes for the zip, so that a user who checks the program
# itself finds its hash. The entries are staged in the build folder's package/ folder.
# usage: release_package <source folder> <build folder> <architecture> <dist folder> <entry time,
#        seconds since 1970>
release_package() {
    local source=$1 build=$2 arch=$3 dist=$4 epoch=$5
    local stage="$build/package" name exe_hash
    rm -rf "$stage"
    mkdir -p "$stage" "$dist"
    cp "$build/app/Varnik.exe" "$stage/Varnik.exe"
    release_crlf <"$source/LICENSE" >"$stage/LICENSE.txt"
    release_crlf <"$source/docs/UserGuide.txt" >"$stage/UserGuide.txt"
    chmod 0644 "$stage"/*
    touch -d "@$epoch" "$stage"/*

    name="Varnik-$(release_version "$build")-win-$arch.zip"
    # zip would update an existing file rather than replace it; it stores local times.
    rm -f "$dist/$name"
    (cd "$stage" && TZ=UTC zip -q -X -9 "$(realpath "$dist")/$name" \
        Varnik.exe LICENSE.txt UserGuide.txt)
    exe_hash=$(sha256sum <"$stage/Varnik.exe")
    {
        (cd "$dist" && sha256sum "$name")
        echo "${exe_hash%% *}  ${name%.zip}/Varnik.exe"
    } | release_crlf >>"$dist/SHA256SUMS"
}
