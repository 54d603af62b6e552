#include "audio/wave_loader.h"

#include <vector>

#include "files/rt_file.h"

namespace zrv {

std::optional<PcmSound> LoadWaveFile(const char* name) {
    RtFile file;
    if (!file.OpenRead(name)) return std::nullopt;
    const std::int32_t size = file.OpenedSize();
    if (size <= 0) return std::nullopt;
    if (file.IsMemory()) return ParseWave({file.MemoryBytes(), static_cast<std::size_t>(size)});
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.ReadBytes(bytes.data(), size)) return std::nullopt;
    return ParseWave(bytes);
}

}  // namespace zrv
