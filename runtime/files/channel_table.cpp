// Opening, closing and positioning channels.
#include "files/channel_table.h"

#include "core/core_state.h"
#include "core/fatal.h"
#include "files/files_state.h"
#include "zorvane/channels.h"
#include "zorvane/maths.h"
#include "zorvane/media_pack.h"

namespace zrv {

namespace {

// The code programs know for a channel number outside the table.
constexpr std::int32_t kBadChannel = 7;

}  // namespace

RtFile& ChannelFile(double channel) {
    const std::int32_t number = TruncateToInt32(channel);
    // Negative numbers too: they would index in front of the table.
    if (number < 0 || number >= kChannelCount) StopWithError(kBadChannel);
    return Files().channels[static_cast<std::size_t>(number)];
}

void StopChannels() noexcept {
    for (RtFile& file : Files().channels) file.Close();
}

}  // namespace zrv

double OpenChannel(double channel, const RtString& name, double mode) {
    zrv::Errors().errorCode = 0;
    zrv::RtFile& file = zrv::ChannelFile(channel);
    file.Close();
    const std::int32_t how = TruncateToInt32(mode);
    if (how >= 1) {
        RtString usable;
        if (ResolveMediaName(MemoryMediaResolver(), name, usable, 1) != 0) file.OpenRead(usable.c_str());
    } else if (how == 0) {
        file.OpenWrite(name.c_str());
    } else {
        file.OpenAppend(name.c_str());
    }
    if (!file.IsOpen()) {
        SetErrorCode(kErrorNoSuchFile);
        return 0;
    }
    return 1;
}

void CloseChannel(double channel) { zrv::ChannelFile(channel).Close(); }

double FindFreeChannel() noexcept {
    const auto& channels = zrv::Files().channels;
    for (std::int32_t i = 0; i < zrv::kChannelCount; ++i) {
        if (!channels[static_cast<std::size_t>(i)].IsOpen()) return i;
    }
    return -1;
}

double EndOfFile(double channel) noexcept {
    const std::int32_t number = TruncateToInt32(channel);
    // No stop here: a loop "until end of file" on a bad number simply ends.
    if (number < 0 || number >= zrv::kChannelCount) return 1;
    const zrv::RtFile& file = zrv::Files().channels[static_cast<std::size_t>(number)];
    return file.Position() >= file.OpenedSize() ? 1 : 0;
}

double ChannelPosition(double channel) { return zrv::ChannelFile(channel).Position(); }

void SeekChannel(double channel, double distance, double origin) {
    zrv::RtFile& file = zrv::ChannelFile(channel);
    if (!file.IsOpen()) return;
    file.Seek(TruncateToInt32(distance), origin < 0 ? 2 : origin > 0 ? 1 : 0);
}

double FileSizeOf(const RtString& name) {
    zrv::RtFile file;
    if (!file.OpenRead(name.c_str())) {
        SetErrorCode(kErrorNoSuchFile);
        return 0;
    }
    return file.Size();
}
