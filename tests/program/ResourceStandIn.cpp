#include <windows.h>

// Carries the program's resources so that ResourceCheck has an executable to inspect before the
// program itself is linked. It does nothing.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
