// The external modules the program's declarations have loaded, by their lower-case names,
// in load order. A module stays loaded until the process ends.
#pragma once

#include <cstddef>
#include <vector>

#include "zorvane/rt_string.h"

namespace zrv {

class ModuleCache {
public:
    ModuleCache() = default;
    // Releases every module, the last loaded first.
    ~ModuleCache();
    ModuleCache(const ModuleCache&) = delete;
    ModuleCache& operator=(const ModuleCache&) = delete;

    // The handle of the module of exactly that name, or null.
    void* Find(const RtString& name) const noexcept;
    void Add(const RtString& name, void* handle);
    std::size_t Size() const noexcept { return handles_.size(); }

private:
    std::vector<RtString> names_;
    std::vector<void*> handles_;
};

// The process's cache, released with the runtime's other global objects at exit.
ModuleCache& Modules() noexcept;

// Loads a module the way a declaration names it; null when it does not load. Windows: the
// lower-case name, found by the system's own rules. POSIX, where library names are
// case-sensitive: the name as written, then in lower case, and for a Windows name ending
// in ".dll" also as "lib" + base + ".so" and base + ".so".
void* LoadModule(const RtString& written, const RtString& lowerCase);
// The function of that name in a loaded module, or null.
void* ModuleFunction(void* module, const char* name);
void ReleaseModule(void* module);

}  // namespace zrv
