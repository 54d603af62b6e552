#include "files/media_resolver.h"

#include "core/temp_directory.h"
#include "files/file_system.h"
#include "files/files_state.h"
#include "files/pack_format.h"
#include "files/pack_reader.h"
#include "files/path_separator.h"
#include "files/rt_file.h"
#include "platform/paths.h"
#include "zorvane/media_pack.h"

namespace zrv {

namespace {

bool ExistsAsIs(std::string_view name) {
    if (IsMemoryFileName(name)) return true;
    RtFile probe;
    return probe.OpenRead(std::string(name).c_str());
}

}  // namespace

std::string TemporaryFileName(const std::string& entryName, std::int32_t position, std::int32_t storedSize) {
    std::string name = "sbx";
    name += pack::TempNameLetter(position);
    name += pack::TempNameLetter(storedSize);
    for (const char c : entryName) name += IsPathSeparator(c) || c == 0 ? '_' : c;
    return name;
}

void ReleaseLastResult(MediaResolver& resolver) noexcept {
    if (resolver.lastBlock != nullptr) {
        // Channels still reading the block keep it alive; its name opens no more.
        Files().memoryFiles.Remove(resolver.lastBlockName);
        resolver.lastBlock.reset();
        resolver.lastBlockName.clear();
    }
    if (!resolver.lastTempFile.empty()) {
        RemoveFile(resolver.lastTempFile);
        resolver.lastTempFile.clear();
    }
}

void PointResolverAt(MediaResolver& resolver, std::string_view packName) {
    resolver.enabled = 1;
    ReleaseLastResult(resolver);
    resolver.packName.assign(packName);
}

std::int32_t ResolveName(MediaResolver& resolver, std::string_view name, std::string& out, bool wantMemory) {
    ReleaseLastResult(resolver);
    out.clear();
    if (name.empty()) return 0;
    out.assign(name);
    if (ExistsAsIs(name)) return 1;

    if (resolver.enabled == 0) return 0;
    if (resolver.packName.empty()) {
        resolver.enabled = 0;
        return 0;
    }
    RtFile pack;
    if (!pack.OpenRead(resolver.packName.c_str())) {
        resolver.enabled = 0;
        return 0;
    }
    PackHit hit = LookUpPackEntry(pack, BaseName(name));
    pack.Close();
    switch (hit.result) {
        case PackLookup::kFound: break;
        case PackLookup::kNoTrailer: resolver.enabled = 0; return 0;
        default: out.clear(); return 0;
    }

    if (wantMemory) {
        resolver.lastBlockName = Files().memoryFiles.Add(hit.bytes, hit.size);
        resolver.lastBlock = std::move(hit.bytes);
        out = resolver.lastBlockName;
        return 1;
    }
    const std::string path = TempDirectory() + TemporaryFileName(hit.entryName, hit.position, hit.storedSize);
    if (!WriteFreshFile(path, hit.bytes.get(), hit.size)) return 0;
    resolver.lastTempFile = path;
    out = path;
    return 1;
}

void StartMediaResolvers() {
    const std::string executable = ExecutablePath();
    auto& files = Files();
    PointResolverAt(files.memoryResolver, executable);
    PointResolverAt(files.fileResolver, executable);
}

void StopMediaResolvers() noexcept {
    auto& files = Files();
    ReleaseLastResult(files.memoryResolver);
    ReleaseLastResult(files.fileResolver);
}

}  // namespace zrv

MediaResolver& MemoryMediaResolver() noexcept { return zrv::Files().memoryResolver; }

MediaResolver& FileMediaResolver() noexcept { return zrv::Files().fileResolver; }

std::int32_t ResolveMediaName(MediaResolver& resolver, const RtString& name, RtString& out, std::int32_t wantMemory) {
    try {
        std::string usable;
        const std::int32_t result = zrv::ResolveName(resolver, name.c_str(), usable, wantMemory != 0);
        out = usable.c_str();
        return result;
    } catch (...) {
        // Out of memory or an unreadable pack (see core/fatal.h): the name cannot be opened.
        out = "";
        return 0;
    }
}

void SetMediaPacks(const RtString& memoryPack, const RtString& filePack) {
    try {
        auto& files = zrv::Files();
        zrv::PointResolverAt(files.memoryResolver, memoryPack.c_str());
        zrv::PointResolverAt(files.fileResolver, filePack.c_str());
    } catch (...) {
        // No memory for the pack names (see core/fatal.h): the packs stay as they were.
    }
}
