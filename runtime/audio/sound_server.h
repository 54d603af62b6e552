// Whether a sound server is there for this user, found without its client library: that
// library makes a folder of its own in the temporary directory (and a link to it in the
// home folder) each time it looks for a server that is not running, so a program started
// without one would leave a new folder behind on every run.
#pragma once

namespace zrv {

// True when the environment names a server or one of the places where the server's client
// library looks holds the server's socket.
bool SoundServerReachable();

}  // namespace zrv
