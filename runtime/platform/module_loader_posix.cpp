#include <dlfcn.h>

#include <string>
#include <vector>

#include "platform/module_cache.h"

namespace zrv {

void* LoadModule(const RtString& written, const RtString& lowerCase) {
    // Library names are case-sensitive here: the name as the program wrote it comes first.
    std::vector<std::string> candidates = {written.c_str()};
    if (lowerCase != written) candidates.emplace_back(lowerCase.c_str());
    const std::string lower = lowerCase.c_str();
    constexpr std::string_view kWindowsSuffix = ".dll";
    if (lower.size() > kWindowsSuffix.size() && lower.ends_with(kWindowsSuffix)) {
        const std::string base = lower.substr(0, lower.size() - kWindowsSuffix.size());
        candidates.push_back("lib" + base + ".so");
        candidates.push_back(base + ".so");
    }
    for (const std::string& candidate : candidates) {
        if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    }
    return nullptr;
}

void* ModuleFunction(void* module, const char* name) { return dlsym(module, name); }

void ReleaseModule(void* module) { dlclose(module); }

}  // namespace zrv
