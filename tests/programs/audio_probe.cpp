// A program that the audio tests start as a child. ZRV_PROBE chooses:
//   "loop"  - looping music from ZRV_MUSIC and the effect ZRV_SOUND while frames run for
//             ZRV_FRAMES_MS, then the program ends with both still playing;
//   "movie" - a 640 x 200 window that plays the movie ZRV_MOVIE (looped when
//             ZRV_MOVIE_LOOPED is 1); with ZRV_MOVIE_IN_MEMORY 1 from a registered
//             copy of the file, with ZRV_PACK from that media pack.
// What it observes goes to standard output.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "../support/probe_io.h"
#include "zorvane.h"

namespace {

using zrv::test::Env;
using zrv::test::Say;

double OnQuit() {
    Say("quit hook, music playing " + std::to_string(IsMusicPlaying()));
    return 0;
}

void RunFrames() {
    StartMusic(Env("ZRV_MUSIC").c_str(), 1);
    LoadSound(Env("ZRV_SOUND").c_str(), 0, 1);
    Say("effect " + std::to_string(PlaySound(0, 0, 1)));
    const double frames = std::atof(Env("ZRV_FRAMES_MS", "1000").c_str());
    for (const double start = ReadClockMs(); ReadClockMs() - start < frames;) PresentFrame();
    Say("frames done, music playing " + std::to_string(IsMusicPlaying()) + ", effect playing " +
        std::to_string(IsSoundPlaying(0)));
}

RtString MovieName() {
    const std::string name = Env("ZRV_MOVIE");
    if (!Env("ZRV_PACK").empty()) SetMediaPacks(Env("ZRV_PACK").c_str(), Env("ZRV_PACK").c_str());
    if (Env("ZRV_MOVIE_IN_MEMORY") != "1") return name.c_str();
    std::ifstream file(name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return RegisterMemoryFile(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

void RunMovie() {
    const RtString movie = MovieName();
    Say("movie start");
    const double start = ReadClockMs();
    const std::int32_t result = Env("ZRV_MOVIE_LOOPED") == "1" ? PlayMovieLooped(movie) : PlayMovie(movie);
    const int took = static_cast<int>(ReadClockMs() - start);
    Say("movie result " + std::to_string(result));
    Say("movie took " + std::to_string(took) + " ms");
}

}  // namespace

void ApplyProjectSettings() {
    auto& settings = GetProjectSettings();
    settings.title = "Zorvane audio probe";
    if (Env("ZRV_PROBE") == "movie") {
        settings.width = 640;
        settings.height = 200;
        settings.pointerHidden = 0;
    }
}

void ProgramMain() {
    const std::string probe = Env("ZRV_PROBE", "loop");
    if (probe == "loop") RunFrames();
    if (probe == "movie") RunMovie();
}

const FunctionNameEntry FunctionNameTable[] = {
    {OnQuit, "ZRV_ON_QUIT"},
    {nullptr, nullptr},
};
