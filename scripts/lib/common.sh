# What every script shares: the source folder, installing packages, the 32-bit question, timing,
# the Debian mirror; source this file.
varnik_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Packages by what they serve; the distribution's defaults, no pinned versions. googletest: the
# Windows build's tests are configured from its sources.
declare -A varnik_packages=(
    [run]="cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine wine64 xvfb
           fonts-wqy-microhei fonts-wine imagemagick"
    [windows]="g++-mingw-w64-i686-posix icoutils"
    [native]="cmake ninja-build g++ libgtest-dev"
    [checks]="libbenchmark-dev clang libclang-rt-dev llvm clang-tidy cppcheck"
    [release]="git zip unzip osslsigncode openssl"
    [emulated]="qemu-system-x86 debootstrap e2fsprogs"
    [debootstrap]="debootstrap"
)

# Installs with apt-get (through sudo when not root) what the named uses need and is missing.
# windows brings 32-bit Wine where this machine runs 32-bit programs, else the emulated PC's
# tools; test is every use.
# usage: need run|windows|native|checks|release|emulated|debootstrap|test...
need() {
    local use packages=() missing=() package sudo=()
    for use in "$@"; do
        case $use in
        test) need run windows native checks release || return; continue ;;
        windows)
            packages+=(${varnik_packages[run]} ${varnik_packages[windows]})
            # Debian's wine command starts the 32-bit loader whenever wine32 is installed, so
            # where the kernel refuses 32-bit programs wine32 would stop 64-bit programs too.
            if runs_32bit_programs; then packages+=(wine32:i386); fi
            if x86_tests_emulated; then packages+=(${varnik_packages[emulated]}); fi
            ;;
        *) packages+=(${varnik_packages[$use]}) ;;
        esac
    done
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "missing packages: ${missing[*]}; run this as root or install sudo" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}" >&2
    if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

# Whether this machine runs 32-bit x86 programs, tried with the smallest one: an ELF header, one
# program header and exit(0). Some virtual machines' kernels refuse them all.
runs_32bit_programs() {
    local program status=0
    [ "$(dpkg --print-architecture)" = amd64 ] || return 1
    program=$(mktemp)
    printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00' \
        '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
        '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
        '\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$program"
    chmod +x "$program"
    "$program" 2>/dev/null || status=1
    rm -f "$program"
    return $status
}

# Whether the x86 Windows suites run in the emulated PC: where this machine cannot run 32-bit
# programs, or where VARNIK_X86_TESTS=emulated asks for it (to try the PC where it can).
x86_tests_emulated() {
    [ "${VARNIK_X86_TESTS:-}" = emulated ] || ! runs_32bit_programs
}

# Seconds since the epoch, with tenths; the whole seconds since a start.
now() { date +%s.%N; }
elapsed() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.0f", end - start }'; }

# Prints the first URI of this machine's apt sources that is not the security archive, in deb822
# files or one-line sources. With none, says so and fails, rather than reach for an address of
# our own choosing.
debian_mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }' | grep -v -- '-security' | head -n 1)
    [ -n "$uri" ] || uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) print $i }' |
        grep -v -- '-security' | head -n 1)
    if [ -z "$uri" ]; then
        echo "no Debian mirror in this machine's apt sources (/etc/apt/sources.list," \
            "/etc/apt/sources.list.d/): add the one to install from" >&2
        return 1
    fi
    echo "$uri"
}

# Configures and builds a preset of the source folder in which it is called:
# build_preset <preset> [build arguments...]
build_preset() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$@"
}

# Makes a minimal root of a Debian release from this machine's mirror, with /proc, /sys and /dev
# mounted in it, the log into a file. usage: debian_root_make <release> <folder> <log>
debian_root_make() {
    local mirror
    mirror=$(debian_mirror) || return
    echo "debootstrap $1 from $mirror" >&2
    debootstrap --variant=minbase "$1" "$2" "$mirror" >>"$3" 2>&1 || {
        tail -n 20 "$3" >&2
        return 1
    }
    mount -t proc proc "$2/proc"
    mount -t sysfs sysfs "$2/sys"
    mount --rbind /dev "$2/dev"
    mount --make-rslave "$2/dev"
}

# Ends the processes still running inside a root, whatever started them there, and unmounts
# everything mounted inside it; fails when something stays mounted.
# usage: debian_root_unmount <folder>
debian_root_unmount() {
    local folder link pids attempt
    folder=$(realpath -m "$1")
    for attempt in TERM KILL; do
        pids=$(for link in /proc/[0-9]*/root; do
            [ "$(readlink "$link" 2>/dev/null)" != "$folder" ] || basename "$(dirname "$link")"
        done)
        [ -z "$pids" ] || { kill -s "$attempt" $pids 2>/dev/null || true; sleep 2; }
    done
    mounted() { awk -v prefix="$folder/" 'index($2 "/", prefix) == 1 { print $2 }' /proc/mounts; }
    mounted | sort -r | xargs -r umount -l 2>/dev/null || true
    if [ -n "$(mounted)" ]; then
        echo "still mounted in $folder: $(mounted | tr '\n' ' ')" >&2
        return 1
    fi
}
