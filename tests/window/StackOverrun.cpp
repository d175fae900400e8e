// A program with Varnik's stack guard: given a length, writes that many bytes into a 16-byte
// buffer on its stack and returns; given nothing, exits with its guard's low 32 bits.

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" std::uintptr_t __stack_chk_guard;

namespace {

__attribute__((noinline)) void fill(std::size_t length) {
    char buffer[16];
    std::memset(buffer, 'x', length);
    // The bytes are used, so the compiler cannot leave them unwritten.
    asm volatile("" : : "r"(buffer) : "memory");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return static_cast<int>(__stack_chk_guard & 0xffffffffu);
    }
    fill(std::strtoul(argv[1], nullptr, 10));
    return 0;
}
