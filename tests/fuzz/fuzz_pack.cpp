// Media packs from outside: the first byte gives the length of the requested name, the name
// follows, the rest is the pack. The pack is looked up once as a memory block and once as a
// disk file; both must give the same answer, and a found entry must open with the size the
// lookup reported. The sanitizers watch every read and write.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/temp_directory.h"
#include "files/media_resolver.h"
#include "files/rt_file.h"
#include "zorvane/media_pack.h"
#include "zorvane/memory_files.h"

namespace {

struct Outcome {
    std::int32_t result;
    std::string bytes;
    bool operator==(const Outcome&) const = default;
};

Outcome LookUp(const std::string& packName, const std::string& name) {
    SetMediaPacks(packName.c_str(), packName.c_str());
    std::string usable;
    Outcome outcome{zrv::ResolveName(MemoryMediaResolver(), name, usable, true), {}};
    if (outcome.result == 1) {
        zrv::RtFile file;
        if (!file.OpenRead(usable.c_str())) std::abort();
        outcome.bytes.resize(static_cast<std::size_t>(file.OpenedSize()));
        if (!file.ReadBytes(outcome.bytes.data(), file.OpenedSize())) std::abort();
    }
    return outcome;
}

const std::string& DiskPack() {
    static const std::string path = zrv::TempDirectory() + "zrv-fuzz-pack-" + std::to_string(::getpid());
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t nameLength = std::min<std::size_t>(data[0], size - 1);
    // Inside a folder that does not exist, so that no file on disk answers for the pack.
    const std::string name = "zrv-fuzz-missing/" + std::string(reinterpret_cast<const char*>(data) + 1, nameLength);
    const std::uint8_t* pack = data + 1 + nameLength;
    const auto packSize = static_cast<std::int32_t>(size - 1 - nameLength);

    const RtString memoryPack = RegisterMemoryFile(pack, packSize);
    const Outcome fromMemory = LookUp(memoryPack.c_str(), name);
    ReleaseMemoryFile(memoryPack);

    const int fd = ::open(DiskPack().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, pack, static_cast<std::size_t>(packSize)) != packSize) std::abort();
    ::close(fd);
    const Outcome fromDisk = LookUp(DiskPack(), name);
    ::unlink(DiskPack().c_str());

    if (!(fromMemory == fromDisk)) std::abort();
    SetMediaPacks("", "");
    return 0;
}
