// A user program that builds shader programs from the files in $ZRV_SHADER_DIR and prints
// each result on standard output. Before each step it writes "== <step>" to standard error,
// where the texts reported to a debugger follow.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zorvane.h"

namespace {

std::string File(const char* name) { return std::string(std::getenv("ZRV_SHADER_DIR")) + "/" + name; }

void Step(const char* name) {
    std::fprintf(stderr, "== %s\n", name);
    std::fflush(stderr);
}

void Load(const char* step, const std::string& vertex, const std::string& fragment) {
    Step(step);
    std::printf("%s %d\n", step, LoadShader(1, vertex.c_str(), fragment.c_str()));
    std::fflush(stdout);
}

}  // namespace

void ApplyProjectSettings() {
    if (const char* debug = std::getenv("ZRV_DEBUG_MODE")) GetProjectSettings().debugMode = std::atoi(debug);
}

void ProgramMain() {
    Load("good", File("good.vert"), File("good.frag"));
    Step("unknown uniform");
    UseShader(1);
    SetShaderFloat("level", 0.5);
    SetShaderFloat("missing", 0.5);
    UseShader(-1);
    Load("vertex", File("bad.vert"), File("good.frag"));
    Load("fragment", "", File("bad.frag"));
    Load("link", File("no_main.vert"), "");
    Load("again", File("good.vert"), File("good.frag"));
    Step("end");
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
