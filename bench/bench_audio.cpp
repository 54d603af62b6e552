// Audio: decoding music through the media player against FFmpeg's own command-line tool on
// the same file, the delay from PlaySound to the device, and the mixer's cost.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "audio/media_player.h"
#include "audio/mixer.h"
#include "zorvane/audio.h"
#include "zorvane/memory_files.h"

extern char** environ;

namespace {

constexpr int kRate = 48000;

// Runs a program to its end; false when it could not be started or failed.
bool Run(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// One minute of stereo mp3 (two tones and some noise, so that the encoder has work), made
// once per run in a folder of its own.
const std::string& MinuteOfMp3() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / ("zrv-bench-audio-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "minute.mp3").string();
        Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
             "sine=frequency=440:duration=60:sample_rate=44100", "-f", "lavfi", "-i",
             "anoisesrc=duration=60:sample_rate=44100:amplitude=0.05", "-filter_complex",
             "[0:a][1:a]amerge=inputs=2", "-c:a", "libmp3lame", "-b:a", "192k", file});
        std::atexit([] { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); });
        return file;
    }();
    return path;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The whole minute decoded, resampled to the mixer's rate and pulled through the mixer as
// fast as the decoder thread delivers; process CPU time counts both threads.
void BM_DecodeMinuteOfMp3ThroughTheMediaPlayer(benchmark::State& state) {
    const std::string& file = MinuteOfMp3();
    std::vector<float> buffer(2 * 4800);
    {
        // Loading the FFmpeg libraries is start-up, as the tool's is in
        // BM_FfmpegToNullStartUpOnly: paid once here, before the measured runs.
        zrv::Mixer mixer(kRate);
        zrv::MediaPlayer player;
        player.Open(file, &mixer, false);
    }
    for (auto _ : state) {
        zrv::Mixer mixer(kRate);
        zrv::MediaPlayer player;
        if (!player.Open(file, &mixer, false)) {
            state.SkipWithError("the media player cannot open the file");
            return;
        }
        player.Play();
        std::int32_t last = -1;
        while (player.PositionMs() < player.LengthMs()) {
            mixer.Mix(buffer.data(), 4800);
            const std::int32_t position = player.PositionMs();
            // Waiting for the decoder is not decoding: sleep rather than spin.
            if (position == last) std::this_thread::sleep_for(std::chrono::microseconds(200));
            last = position;
        }
    }
}
BENCHMARK(BM_DecodeMinuteOfMp3ThroughTheMediaPlayer)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The same file through FFmpeg's tool, decoded and resampled to the same format, written
// nowhere; the child's CPU time, start-up included.
void BM_DecodeMinuteOfMp3WithFfmpegToNull(benchmark::State& state) {
    const std::string& file = MinuteOfMp3();
    for (auto _ : state) {
        const double before = ChildrenCpuSeconds();
        if (!Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-i", file, "-ar", "48000", "-ac", "2",
                  "-c:a", "pcm_f32le", "-f", "null", "-"})) {
            state.SkipWithError("ffmpeg failed");
            return;
        }
        state.SetIterationTime(ChildrenCpuSeconds() - before);
    }
}
BENCHMARK(BM_DecodeMinuteOfMp3WithFfmpegToNull)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// What of the above is the tool starting up: the same command on a tenth of a second.
void BM_FfmpegToNullStartUpOnly(benchmark::State& state) {
    const std::string tiny = std::filesystem::path(MinuteOfMp3()).replace_filename("tiny.mp3").string();
    Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
         "sine=frequency=440:duration=0.1:sample_rate=44100", "-c:a", "libmp3lame", tiny});
    for (auto _ : state) {
        const double before = ChildrenCpuSeconds();
        Run({"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-i", tiny, "-ar", "48000", "-ac", "2", "-c:a",
             "pcm_f32le", "-f", "null", "-"});
        state.SetIterationTime(ChildrenCpuSeconds() - before);
    }
}
BENCHMARK(BM_FfmpegToNullStartUpOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Sound effects on a real device (SDL's disk driver into /dev/null, paced like a sound
// card): from PlaySound until the mixer has put the voice's first frame into a buffer.
void BM_PlaySoundToFirstSampleInTheDeviceBuffer(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    zrv::StartSoundSlots();
    zrv::StartSound(nullptr);
    auto& audio = zrv::Audio();
    if (audio.system == nullptr) {
        state.SkipWithError("no audio device");
        return;
    }
    std::string wave = "RIFF";
    const auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) wave += static_cast<char>(v >> (8 * i)); };
    put32(36 + 2205 * 2);
    wave += "WAVEfmt ";
    put32(16);
    wave += std::string("\x01\x00\x01\x00", 4);
    put32(22050);
    put32(44100);
    wave += std::string("\x02\x00\x10\x00", 4);
    wave += "data";
    put32(2205 * 2);
    for (int i = 0; i < 2205; ++i) {
        const auto sample = static_cast<std::int16_t>(8000 * std::sin(i * 0.3));
        wave += static_cast<char>(sample & 0xFF);
        wave += static_cast<char>((sample >> 8) & 0xFF);
    }
    const RtString name = RegisterMemoryFile(wave.data(), static_cast<std::int32_t>(wave.size()));
    LoadSound(name, 0, 1);
    zrv::Voice& voice = *audio.slots[0].voices[0];
    zrv::Mixer& mixer = audio.system->GetMixer();
    std::uint32_t seed = 12345;
    for (auto _ : state) {
        // A request comes at any moment of the device's period, not just after a buffer.
        seed = seed * 1664525u + 1013904223u;
        std::this_thread::sleep_for(std::chrono::microseconds(seed % 10000));
        const auto start = std::chrono::steady_clock::now();
        PlaySound(0, 0, 1);
        while (mixer.FramesMixed(voice) == 0) std::this_thread::sleep_for(std::chrono::microseconds(20));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        StopAllSounds();
    }
    state.counters["buffer_ms"] = audio.system->BufferFrames() * 1000.0 / audio.system->Rate();
    ReleaseMemoryFile(name);
    zrv::StopSoundSlots();
    zrv::StopSound();
}
BENCHMARK(BM_PlaySoundToFirstSampleInTheDeviceBuffer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// One second of output with 16 voices playing (22.05 kHz mono sounds resampled to 48 kHz),
// in the device's buffers of 10 ms.
void BM_MixOneSecondWith16Voices(benchmark::State& state) {
    auto sound = std::make_shared<zrv::PcmSound>();
    sound->channels = 1;
    sound->rate = 22050;
    for (int i = 0; i < 22050 * 2; ++i) sound->samples.push_back(static_cast<std::int16_t>(4000 * std::sin(i * 0.05)));
    zrv::Mixer mixer(kRate);
    std::vector<std::unique_ptr<zrv::Voice>> voices;
    for (int i = 0; i < 16; ++i) {
        voices.push_back(std::make_unique<zrv::Voice>(sound));
        mixer.StartVoice(*voices.back(), zrv::GainOfVolumeAndPan(-600, (i - 8) * 1000));
    }
    std::vector<float> buffer(2 * kRate / 100);
    for (auto _ : state) {
        for (int block = 0; block < 100; ++block) mixer.Mix(buffer.data(), kRate / 100);
        state.PauseTiming();
        for (auto& voice : voices) {
            if (!mixer.IsPlaying(*voice)) mixer.StartVoice(*voice, zrv::GainOfVolumeAndPan(-600, 0));
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["share_of_one_core"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixOneSecondWith16Voices)->Unit(benchmark::kMicrosecond);

}  // namespace
