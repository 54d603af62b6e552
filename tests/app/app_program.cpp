// The player's in-process tests link the runtime without its main() and supply what every
// program supplies; each test file starts the runtime itself, as the other display tests do.
#include "zorvane/program.h"

void ApplyProjectSettings() {}
void ProgramMain() {}

const FunctionNameEntry FunctionNameTable[] = {
    {nullptr, nullptr},
};

// SDL keeps its D-Bus connection until SDL_Quit, which nothing calls before the process
// ends; the leak checker of a sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
