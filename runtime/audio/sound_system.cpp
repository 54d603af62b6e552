#include "audio/sound_system.h"

#include <SDL2/SDL.h>

#include <cstring>
#include <string>

#include "audio/quiet_alsa.h"
#include "audio/sound_server.h"

namespace zrv {

namespace {

constexpr int kFallbackRate = 48000;
// One buffer is a hundredth of a second: short enough that an effect starts without a
// noticeable delay, and a whole number of milliseconds at the common rates.
constexpr int kBuffersPerSecond = 100;

void RunMixer(void* mixer, Uint8* stream, int bytes) {
    static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<float*>(stream),
                                    static_cast<std::size_t>(bytes) / (2 * sizeof(float)));
}

int DeviceRate() {
    SDL_AudioSpec spec{};
    char* name = nullptr;
    if (SDL_GetDefaultAudioInfo(&name, &spec, 0) != 0 || spec.freq <= 0) return kFallbackRate;
    SDL_free(name);
    return spec.freq;
}

// SDL's drivers in SDL's own order, less the sound server's. "disk" and "dummy" are left
// out too: SDL takes them only when they are named.
std::string DriversWithoutServer() {
    std::string list;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        const std::string name = SDL_GetAudioDriver(i);
        if (name == "pulseaudio" || name == "disk" || name == "dummy") continue;
        if (!list.empty()) list += ',';
        list += name;
    }
    return list;
}

// A driver the user chose is taken as it is; otherwise the sound server's driver is asked
// only when a server is there, since merely looking for one leaves folders behind.
bool StartAudioDriver(bool serverReachable) {
    const char* chosen = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    if ((chosen != nullptr && *chosen != '\0') || serverReachable) return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    const std::string drivers = DriversWithoutServer();
    if (drivers.empty()) return false;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, drivers.c_str(), SDL_HINT_OVERRIDE);
    const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return started;
}

}  // namespace

std::unique_ptr<SoundSystem> SoundSystem::Open() {
    // SDL would otherwise take SIGINT and SIGTERM for quit events of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    QuietenAlsa();
    const bool serverReachable = SoundServerReachable();
    // Made before the subsystem starts and let go after it ends (it is the system's first
    // member), also when no device opens.
    auto alsaWithoutServer = serverReachable ? nullptr : std::make_unique<AlsaWithoutServer>();
    if (!StartAudioDriver(serverReachable)) return nullptr;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver == nullptr || std::strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    const int rate = DeviceRate();
    // The mixer's address is handed to SDL before the device runs, so it is made first.
    std::unique_ptr<SoundSystem> system(new SoundSystem(0, rate, rate / kBuffersPerSecond));
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(system->bufferFrames_);
    want.callback = RunMixer;
    want.userdata = &system->mixer_;
    SDL_AudioSpec have{};
    // SDL converts to whatever sample format and channel layout the device really has.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (device == 0) return nullptr;  // the subsystem is let go with the object
    system->device_ = device;
    system->alsaWithoutServer_ = std::move(alsaWithoutServer);
    system->bufferFrames_ = have.samples;
    SDL_PauseAudioDevice(device, 0);
    return system;
}

SoundSystem::SoundSystem(std::uint32_t device, std::int32_t rate, std::int32_t bufferFrames)
    : device_(device), bufferFrames_(bufferFrames), mixer_(rate) {}

SoundSystem::~SoundSystem() {
    // Closing waits for the callback to return, so the mixer outlives the last buffer.
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace zrv
