#include <windows.h>

#include "platform/module_cache.h"

namespace zrv {

void* LoadModule(const RtString& /*written*/, const RtString& lowerCase) {
    // A module that is missing, or lacks a library of its own, fails quietly rather than
    // with the system's message box.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(lowerCase.c_str());
    SetErrorMode(previous);
    return reinterpret_cast<void*>(module);
}

void* ModuleFunction(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void ReleaseModule(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

}  // namespace zrv
