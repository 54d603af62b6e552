// Windows has no session bus: the media keys reach the program as key events of its
// window, so there is no bus to join and the program is never published on one.
#include "platform/media_bus.h"

namespace zrv {

std::unique_ptr<MediaBus> MediaBus::Open(const std::string& /*address*/, const std::string& /*identity*/,
                                         MediaControlsState& /*state*/) {
    return nullptr;
}

MediaBus::~MediaBus() = default;

bool MediaBus::Exchange() { return false; }

}  // namespace zrv
