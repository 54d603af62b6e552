// The smallest complete program: a line on standard output, then a window with a greeting
// in the start-up font until Escape is pressed or the window is closed.
#include <cstdio>

#include "zorvane.h"

void ApplyProjectSettings() {
    ProjectSettings& settings = GetProjectSettings();
    settings.width = 320;
    settings.height = 120;
    settings.title = "Hello";
}

void ProgramMain() {
    RtString text = "1/3 = ";
    text += 1.0 / 3;
    std::puts(text.c_str());
    std::int32_t width = 0;
    std::int32_t height = 0;
    QueryFontSizeInt(width, height);
    std::printf("font %d x %d\n", width, height);
    std::fflush(stdout);
    for (;;) {
        DrawText("Hello from Zorvane", 16, 52);
        PresentFrame();
    }
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
