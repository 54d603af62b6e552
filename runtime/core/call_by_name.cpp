#include <cstring>

#include "zorvane/program.h"

namespace {

bool IsOptionalHook(const RtString& name) {
    return name == "ZRV_ON_QUIT" || name == "ZRV_WIN32_MSG";
}

}  // namespace

ProgramFunction FindFunctionByName(const RtString& name) noexcept {
    const char* wanted = name.Buffer() != nullptr ? name.Buffer() : "";
    for (const FunctionNameEntry* entry = FunctionNameTable; entry->function != nullptr; ++entry) {
        if (entry->name != nullptr && std::strcmp(entry->name, wanted) == 0) return entry->function;
    }
    return nullptr;
}

double CALLBYNAME(const RtString& name) {
    if (ProgramFunction function = FindFunctionByName(name)) {
        function();
        return 1;
    }
    if (!IsOptionalHook(name)) {
        DebugPrint(RtString("CALLBYNAME \"") + name + "\" *** failed ***\n");
    }
    return 0;
}
