#include "platform/module_cache.h"

#include <dlfcn.h>

#include <cstring>
#include <string>

namespace zrv {

namespace {

// Declarations add modules one at a time; the lists grow by this many entries at once.
constexpr std::size_t kGrowth = 16;

}  // namespace

ModuleCache::~ModuleCache() {
    for (auto handle = handles_.rbegin(); handle != handles_.rend(); ++handle) dlclose(*handle);
}

void* ModuleCache::Find(const RtString& name) const noexcept {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const RtString& cached = names_[i];
        if (cached.Length() == name.Length() && std::memcmp(cached.c_str(), name.c_str(), name.Length()) == 0) {
            return handles_[i];
        }
    }
    return nullptr;
}

void ModuleCache::Add(const RtString& name, void* handle) {
    if (names_.size() == names_.capacity()) {
        names_.reserve(names_.size() + kGrowth);
        handles_.reserve(handles_.size() + kGrowth);
    }
    names_.push_back(name);
    handles_.push_back(handle);
}

ModuleCache& Modules() noexcept {
    static ModuleCache cache;
    return cache;
}

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

}  // namespace zrv
