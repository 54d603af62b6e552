// ALSA, under SDL's audio driver of the same name, prints its complaints to standard error
// when a machine has no sound card; the runtime keeps the terminal to the program.
//
// Where the sound server's package is installed, ALSA's configuration asks the server's
// client library whether a server runs every time it is read (at each device opened and
// each device list SDL's hot-plug watch takes), and that client makes its folders in the
// temporary and the home folder while it looks. ALSA skips the question inside the server
// itself, which it recognises by an environment variable; with no server to find, the
// runtime borrows that sign.
#pragma once

namespace zrv {

// Gives ALSA's error reporting a handler that drops the text, when ALSA is installed.
void QuietenAlsa();

// Keeps ALSA's configuration from asking for the sound server while the object lives. It
// must outlive SDL's audio subsystem, whose hot-plug watch reads the configuration again.
// A value the user set is left as it is.
class AlsaWithoutServer {
public:
    AlsaWithoutServer();
    ~AlsaWithoutServer();
    AlsaWithoutServer(const AlsaWithoutServer&) = delete;
    AlsaWithoutServer& operator=(const AlsaWithoutServer&) = delete;

private:
    bool set_ = false;
};

}  // namespace zrv
