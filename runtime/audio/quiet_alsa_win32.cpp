// Windows has no ALSA and no sound server to keep it from asking for: nothing to quieten.
#include "audio/quiet_alsa.h"

namespace zrv {

void QuietenAlsa() {}

AlsaWithoutServer::AlsaWithoutServer() = default;

AlsaWithoutServer::~AlsaWithoutServer() = default;

}  // namespace zrv
