#include <windows.h>

#include <cstdint>

// The stack protector's guard and its failure, in place of libssp's, which seeds the guard
// through CryptAcquireContext: that loads a cryptographic provider (and ADVAPI32), 14 to 19 ms
// at every start under Wine. The seed is what Microsoft's compiler takes for its /GS cookie,
// the time, the process and thread ids and the performance counter, with the addresses that
// ASLR gives the image and the stack.

extern "C" {
// Nonzero until seeded: only the C runtime's start-up, built without the protector, runs before.
std::uintptr_t __stack_chk_guard = static_cast<std::uintptr_t>(0x2f8b6d4e9a1c3e57ull);

// A protected function found its guard overwritten: its stack holds no return address to trust,
// so the process ends at once, with the status Windows gives an overrun caught by /GS.
[[noreturn]] void __stack_chk_fail() {
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE)) {
        asm volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    }
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_unreachable();
}
}

namespace {

// Priority 101 runs it before every static constructor of the program (the DLL search path's has
// no guarded frame), so no guarded frame is open when the guard changes; it has none of its own.
__attribute__((constructor(101), no_stack_protector)) void seedStackGuard() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uint64_t seed =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) ^ time.dwLowDateTime ^
        static_cast<std::uint64_t>(counter.QuadPart) ^
        (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^ GetCurrentThreadId() ^
        reinterpret_cast<std::uintptr_t>(&time) ^
        (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&__stack_chk_guard)) << 16);
    // The 32-bit guard keeps both halves' variation.
    seed ^= seed >> 32;
    const auto guard = static_cast<std::uintptr_t>(seed);
    if (guard != 0) {
        __stack_chk_guard = guard;
    }
}

} // namespace
