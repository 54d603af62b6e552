#include "disk_audio.h"

#include <stdlib.h>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "zorvane/clock.h"

namespace zrv::test {

std::string Media(const std::string& name) { return std::string(ZRV_TEST_MEDIA_DIR) + "/" + name; }

void AudioTest::SetUp() {
    output = folder / "device.raw";
    ::setenv("SDL_AUDIODRIVER", driver_, 1);
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    if (const char* old = ::getenv("TMPDIR")) oldTmpdir_ = old;
    ::setenv("TMPDIR", folder.Path().c_str(), 1);
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
    if (oldTmpdir_.empty()) ::unsetenv("TMPDIR");
    else ::setenv("TMPDIR", oldTmpdir_.c_str(), 1);
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
