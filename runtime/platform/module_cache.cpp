#include "platform/module_cache.h"

#include <cstring>

namespace zrv {

namespace {

// Declarations add modules one at a time; the lists grow by this many entries at once.
constexpr std::size_t kGrowth = 16;

}  // namespace

ModuleCache::~ModuleCache() {
    for (auto handle = handles_.rbegin(); handle != handles_.rend(); ++handle) ReleaseModule(*handle);
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

}  // namespace zrv
