// The console on Windows: a console window of the process's own.
#include <windows.h>

#include <cstdio>

#include "zorvane/platform.h"

void OpenConsole() {
    // A process that has a console already (started from one) keeps it, together with the
    // redirections it was given there.
    if (!AllocConsole()) return;
    std::fflush(stdout);
    // Reopening the standard streams on the console's own devices binds them, the C
    // library's descriptors and the process's standard handles to the new console, so
    // every later read and write (the runtime's trace lines too) goes there. Standard
    // error stays where it is.
    if (std::freopen("CONIN$", "r", stdin) != nullptr) std::clearerr(stdin);
    if (std::freopen("CONOUT$", "w", stdout) != nullptr) {
        // The C library buffers "line by line" as fully as a file: unbuffered, a prompt
        // shows before the program waits for the answer.
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    }
}
