// Functions of external libraries, as the program's declarations name them.
#include <cctype>
#include <cstring>
#include <new>

#include "gfx2d/quad_batch.h"
#include "platform/module_cache.h"
#include "zorvane/platform.h"
#include "zorvane/program.h"

namespace {

// glClear, glXSwapBuffers, wglGetProcAddress: OpenGL's own entry points.
bool IsOpenGlName(const char* name) {
    if (std::strncmp(name, "wgl", 3) == 0) return true;
    return std::strncmp(name, "gl", 2) == 0 && std::isupper(static_cast<unsigned char>(name[2])) != 0;
}

}  // namespace

void ResolveExternalFunction(RtString& moduleName, const char* functionName, ExternalFunction& result) {
    result = nullptr;
    try {
        const RtString written = moduleName;
        LowerCaseInPlace(moduleName);
        zrv::ModuleCache& modules = zrv::Modules();
        void* module = modules.Find(moduleName);
        if (module == nullptr) {
            module = zrv::LoadModule(written, moduleName);
            // Not remembered: the next declaration of the module tries again.
            if (module == nullptr) {
                DebugPrint(RtString("DECLARE module not found: ") + moduleName + "\n");
                return;
            }
            modules.Add(moduleName, module);
        }
        if (functionName == nullptr) return;
        result = reinterpret_cast<ExternalFunction>(zrv::ModuleFunction(module, functionName));
        // The program will draw with OpenGL between the runtime's commands, so the
        // runtime's own draws must be made at once, in the order the program gives them.
        if (result != nullptr && IsOpenGlName(functionName)) zrv::DrawEachAtOnce();
    } catch (const std::bad_alloc&) {
        // No memory for the name or the cache entry: the function stays unresolved.
    }
}
