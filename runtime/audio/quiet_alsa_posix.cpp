#include "audio/quiet_alsa.h"

#include <dlfcn.h>

#include <cstdlib>

namespace zrv {

namespace {

void DropAlsaError(const char*, int, const char*, int, const char*, ...) {}

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);

// What the sound server sets for the ALSA devices it opens itself.
constexpr const char* kInsideServer = "PULSE_INTERNAL";

}  // namespace

void QuietenAlsa() {
    // The library SDL opens later is this same one; it is never closed, so the handler
    // stays for the life of the process.
    static void* const alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return;
    using SetHandler = int (*)(AlsaErrorHandler);
    if (auto* set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(DropAlsaError);
}

AlsaWithoutServer::AlsaWithoutServer() {
    if (std::getenv(kInsideServer) != nullptr) return;
    set_ = ::setenv(kInsideServer, "1", 0) == 0;
}

AlsaWithoutServer::~AlsaWithoutServer() {
    if (set_) ::unsetenv(kInsideServer);
}

}  // namespace zrv
