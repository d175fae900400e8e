#include <cstdlib>

// The program throws no exceptions of its own. Should the runtime ever end it through
// std::terminate, it aborts at once: libstdc++'s default handler would print the exception's
// demangled type to a console that a windowed program does not have, and with static linking
// it brings a 46 KB demangler into the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
