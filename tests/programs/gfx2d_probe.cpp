// A user program for the start-up tests of the 2D renderer: it reports the font start-up
// left in slot 0 and saves the frame start-up presented last, then ends.
#include <cstdio>
#include <cstdlib>

#include "zorvane.h"

void ApplyProjectSettings() {}

void ProgramMain() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    QueryFontSizeInt(width, height);
    std::printf("font %d %d\n", width, height);
    if (const char* shot = std::getenv("ZRV_SHOT")) {
        SaveScreenImage(shot);
        std::printf("saved %d\n", GetErrorState().errorCode);
    }
    std::fflush(stdout);
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
