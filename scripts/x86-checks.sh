# Shell functions about the x86 Windows build that the test command and the release share; source
# this file after wine-session.sh.
x86_checks_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$x86_checks_scripts/windows-suites.sh"
source "$x86_checks_scripts/x86-guest.sh"

# In the emulated PC every wait of the window tests and every CTest TIMEOUT is this many times as
# long as natively (VARNIK_TIME_SCALE): under TCG the first window of a test process can take
# more than the 5 s that the window driver gives it natively.
x86_guest_time_scale_tcg=6
x86_guest_time_scale_kvm=2
# A PC still running the suites after this long is killed and the run fails: all passes take
# about 10 minutes under TCG on a busy 2-core machine.
x86_guest_suites_seconds=2700

# Whether this machine runs 32-bit Windows programs: wine32 is installed and the kernel starts
# its 32-bit loader. Some virtual machines refuse every 32-bit executable; there, wine32 would
# break 64-bit Wine too, as the wine command starts the 32-bit loader first.
runs_32bit_programs() {
    wine_session_packages | grep -q '^wine32:i386 .* ii' &&
        /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether the x86 suites run in the emulated PC: where this machine cannot run 32-bit programs,
# or where VARNIK_X86_TESTS=emulated asks for it (to try the PC on a machine that can).
x86_tests_emulated() {
    [ "${VARNIK_X86_TESTS:-}" = emulated ] || ! runs_32bit_programs
}

# Starts a command that runs the x86 suites (scripts/test-x86 or scripts/test-windows --x86) in
# the background, in a process group of its own, with its output into a log; x86_suites_wait waits
# for it. Until then an exit of the caller (whose EXIT, INT and TERM traps this sets) ends the
# whole group, the emulated PC with it.
# usage: x86_suites_start <log> <command> [arguments...]
x86_suites_start() {
    x86_suites_log=$1
    shift
    setsid "$@" >"$x86_suites_log" 2>&1 &
    x86_suites_pid=$!
    trap 'kill -- "-$x86_suites_pid" 2>/dev/null || true' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Waits for the suites that x86_suites_start started, prints their log, returns their status.
x86_suites_wait() {
    local status=0
    wait "$x86_suites_pid" || status=$?
    trap - EXIT
    cat "$x86_suites_log"
    return "$status"
}

# Runs every DPI pass of an x86 build's Windows suites in the emulated PC, which shares the source
# folder at the same path (build trees hold absolute paths) and mounts its ready 32-bit Wine prefix
# over the build folder's. Prints the PC's console when it is off; fails when the suites fail or
# the PC gives no status.
# usage: x86_guest_run_suites <source folder> <build folder inside it> [ctest arguments...]
x86_guest_run_suites() {
    local source=$1 build=$2 image accel scale job status=0
    shift 2
    if [[ $build != "$source"/* ]]; then
        echo "x86 guest: the build folder $build is not inside $source, which the PC shares" >&2
        return 2
    fi
    image=$("$source/scripts/x86-guest-image") || return
    accel=$(x86_guest_accel "$image")
    scale=$x86_guest_time_scale_tcg
    [ "$accel" = kvm ] && scale=$x86_guest_time_scale_kvm
    job=$(mktemp -d)
    {
        echo 'set -euo pipefail'
        echo 'echo "x86 guest: booted in $(cut -d " " -f 1 /proc/uptime) s"'
        printf 'mkdir -p %q\n' "$source"
        # Nothing changes the tree on the host meanwhile, so the PC may cache it whole; with
        # cache=mmap, 32-bit programs run from the share crashed at start (a read of address 0).
        printf 'mount -t 9p -o trans=virtio,version=9p2000.L,cache=loose source %q\n' "$source"
        printf 'mkdir -p %q/wineprefix\n' "$build"
        printf 'mount --bind %q/wineprefix %q/wineprefix\n' "$x86_guest_prefix_build" "$build"
        printf 'export VARNIK_TIME_SCALE=%q WINEARCH=win32\n' "$scale"
        printf 'source %q/scripts/windows-suites.sh\n' "$source"
        printf 'run_tests_at_each_dpi %q' "$build"
        printf ' %q' "$@"
        echo
    } >"$job/main"
    echo "x86: the Windows suites of $build in an emulated PC ($accel, waits times $scale)"
    x86_guest_boot "$image" "$job" "$accel" "$x86_guest_suites_seconds" -snapshot \
        -virtfs "local,path=${source//,/,,},mount_tag=source,security_model=none" || status=$?
    tr -d '\r' <"$job/console.log"
    rm -rf "$job"
    return "$status"
}

# The x86 program's own code must round every step to double with SSE2: no x87 arithmetic
# instruction in any library or object that Varnik.exe links (the transform, number text, the
# windows with the commands, the platform layer, the application), as the build lists them.
# (Doubles still pass through x87 registers where the 32-bit calling convention returns them.)
# usage: check_sse2_arithmetic <x86 build folder>
check_sse2_arithmetic() {
    local build=$1 inputs file x87 found=false
    inputs=$(ninja -C "$build" -t query app/Varnik.exe |
        sed -n '/^  input:/,/^  outputs:/p' | grep -oE '[^ ]+\.(a|obj)$' | sort -u) || return 1
    for file in $inputs; do
        if [ ! -e "$build/$file" ]; then
            echo "x86: $build/$file, which Varnik.exe links, is not built" >&2
            return 1
        fi
        x87=$(i686-w64-mingw32-objdump -d "$build/$file" | grep -E \
            '^ *[0-9a-f]+:\s+([0-9a-f]{2} )+\s*f(i?(add|sub|subr|mul|div|divr)[lsp]?|sqrt|sin|cos|sincos|prem1?|scale|ptan|patan)\b' ||
            true)
        if [ -n "$x87" ]; then
            printf 'x87 arithmetic in the x86 %s:\n%s\n' "$file" "$x87" >&2
            return 1
        fi
        echo "x86 $file: SSE2 arithmetic only"
        found=true
    done
    if ! $found; then
        echo "x86: no library of Varnik.exe found in $build" >&2
        return 1
    fi
}
