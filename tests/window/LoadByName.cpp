#include <windows.h>

// Loads each DLL named on its command line by name alone, as a program that leaves the DLL search
// path as it is would; the number of those that could not be loaded is its exit code.
int wmain(int argc, wchar_t** argv) {
    int missing = 0;
    for (int i = 1; i < argc; ++i) {
        if (LoadLibraryW(argv[i]) == nullptr) {
            ++missing;
        }
    }
    return missing;
}
