// Functions of external libraries, as the program's declarations name them.
#include <new>

#include "platform/module_cache.h"
#include "zorvane/platform.h"
#include "zorvane/program.h"

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
    } catch (const std::bad_alloc&) {
        // No memory for the name or the cache entry: the function stays unresolved.
    }
}
