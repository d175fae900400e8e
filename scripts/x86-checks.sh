# Shell functions about the x86 Windows build that the test command and the release share; source
# this file after wine-session.sh.

# Whether this machine runs 32-bit Windows programs: wine32 is installed and the kernel starts
# its 32-bit loader. Some virtual machines refuse every 32-bit executable; there, wine32 would
# break 64-bit Wine too, as the wine command starts the 32-bit loader first.
runs_32bit_programs() {
    wine_session_packages | grep -q '^wine32:i386 .* ii' &&
        /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The x86 transform must round every step to double with SSE2: no x87 arithmetic instruction.
# (Doubles still pass through x87 registers where the 32-bit calling convention returns them.)
# usage: check_sse2_arithmetic <x86 build folder>
check_sse2_arithmetic() {
    local library="$1/transform/libtransform.a" x87
    [ -e "$library" ] || return 1
    x87=$(i686-w64-mingw32-objdump -d "$library" | grep -E \
        '^ *[0-9a-f]+:\s+([0-9a-f]{2} )+\s*f(i?(add|sub|subr|mul|div|divr)[lsp]?|sqrt|sin|cos|sincos|prem1?|scale|ptan|patan)\b' ||
        true)
    if [ -n "$x87" ]; then
        printf 'x87 arithmetic in the x86 transform:\n%s\n' "$x87" >&2
        return 1
    fi
    echo "x86 transform: SSE2 arithmetic only"
}
