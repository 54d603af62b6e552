#include "disk_audio.h"

#include <stdlib.h>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "support/environment.h"
#include "zorvane/clock.h"

namespace zrv::test {

std::string Media(const std::string& name) { return std::string(ZRV_TEST_MEDIA_DIR) + "/" + name; }

void AudioTest::SetUp() {
    output = folder / "device.raw";
    SetEnv("SDL_AUDIODRIVER", driver_);
    SetEnv("SDL_DISKAUDIOFILE", output.c_str());
    if (const char* old = ::getenv(kTempFolderVariable)) oldTmpdir_ = old;
    SetEnv(kTempFolderVariable, folder.Path().c_str());
    StartSoundSlots();
    StartSound(nullptr);
    openedAt_ = Now();
    open_ = true;
    const auto& system = Audio().system;
    if (std::string(driver_) == "dummy") {
        ASSERT_EQ(system, nullptr);
    } else {
        ASSERT_NE(system, nullptr);
        rate = system->Rate();
    }
}

void AudioTest::Release() {
    if (!open_) return;
    open_ = false;
    StopMusicPlayer();
    StopSoundSlots();
    StopSound();
}

void AudioTest::TearDown() {
    Release();
    if (oldTmpdir_.empty()) UnsetEnv(kTempFolderVariable);
    else SetEnv(kTempFolderVariable, oldTmpdir_.c_str());
}

Capture AudioTest::Finish() {
    Release();
    const double wallMs = Now() - openedAt_;
    Capture capture(output, rate);
    deviceSpeed_ = capture.LengthMs() / wallMs;
    return capture;
}

double AudioTest::Now() { return ReadClockMs(); }

void AudioTest::RunFor(double ms) {
    const double end = Now() + ms;
    while (Now() < end) {
        CheckMusicLoop();
        SleepMs(1);
    }
}

}  // namespace zrv::test
