# Shell functions that run a Windows build's test suites under Wine, each DPI pass; source this
# file. The test command, the release and the emulated PC of the x86 tests all run these passes.

windows_suites_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Wine on a virtual display now and then fails to create a window (DialogBoxParam returns -1,
# about one run in ten of the whole suite): a failing test gets one more run. A fault of ours
# fails both.
# usage: run_tests_at_dpi <build folder> <dpi> [ctest arguments...]
run_tests_at_dpi() {
    local folder=$1 dpi=$2
    shift 2
    VARNIK_WINE_DPI=$dpi "$windows_suites_scripts/with-wine-session" "$folder" \
        ctest --test-dir "$folder" --output-on-failure --repeat until-pass:2 "$@"
}

# The tests labelled dpi-<N> at the common scalings besides 100 % (125, 150, 200 %), then every
# test at 96 DPI, which the prefix keeps afterwards. Every pass runs; a failing one fails the
# whole. usage: run_tests_at_each_dpi <build folder> [ctest arguments...]
run_tests_at_each_dpi() {
    local folder=$1 dpi status=0
    shift
    for dpi in 120 144 192; do
        echo "== at $dpi DPI"
        run_tests_at_dpi "$folder" "$dpi" -L "^dpi-$dpi\$" "$@" || status=$?
    done
    echo "== at 96 DPI"
    run_tests_at_dpi "$folder" 96 "$@" || status=$?
    return "$status"
}
