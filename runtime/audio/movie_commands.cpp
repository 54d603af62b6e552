// Movies: played inside the main window until they end or the user presses a key or a
// mouse button; the program waits meanwhile, while its window stays alive and background
// music keeps looping.
#include <SDL2/SDL.h>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "audio/media_source.h"
#include "audio/movie_screen.h"
#include "display/frame_pump.h"
#include "display/opengl_lumivane.h"
#include "input/input_state.h"
#include "zorvane/audio.h"
#include "zorvane/clock.h"

namespace zrv {

namespace {

constexpr std::int32_t kNotShown = 3;
// Between two looks at the input and the next picture; well under a frame of any movie.
constexpr double kPollMs = 2;

bool UserInterrupts(InputState* input) {
    if (input == nullptr) return false;
    // Both are asked every time: a click must not wait for the keyboard to be quiet.
    const bool typed = AnyKeyTyped(*input);
    const bool clicked = AnyMouseButtonDown(*input);
    return typed || clicked;
}

std::int32_t ShowMovie(const RtString& name, bool loop) {
    RtString resolved;
    if (!ResolvePlayableName(name, resolved)) return kNotShown;
    OpenGLLumivane* renderer = Renderer();
    // The movie is drawn into the main window; without one there is nowhere to show it.
    if (renderer == nullptr || renderer->window == nullptr || renderer->context == nullptr) return kNotShown;

    auto& audio = Audio();
    audio.movie = std::make_unique<MediaPlayer>();
    Mixer* mixer = audio.system != nullptr ? &audio.system->GetMixer() : nullptr;
    if (!audio.movie->Open(resolved.c_str(), mixer, true)) {
        audio.movie.reset();
        return kNotShown;
    }
    MediaPlayer& movie = *audio.movie;
    const std::int32_t end = movie.LengthMs();
    int clientWidth = 0;
    int clientHeight = 0;
    SDL_GL_GetDrawableSize(renderer->window, &clientWidth, &clientHeight);
    const PixelRect destination = MovieDestination(movie.VideoWidth(), movie.VideoHeight(), clientWidth, clientHeight);
    MovieScreen screen(renderer->window);

    InputState* input = Input();
    // A key or button still held from before would end the movie at once.
    while (UserInterrupts(input)) {
        PumpWithHook();
        SleepMs(kPollMs);
    }

    movie.Play();
    std::int32_t position = 0;
    VideoFrame picture;
    while (position < end) {
        position = movie.PositionMs();
        if (UserInterrupts(input)) break;
        CheckMusicLoop();
        // A close of the window ends the program from in here.
        PumpWithHook();
        if (movie.TakeDueFrame(picture)) screen.Show(picture, destination);
        if (loop && position >= end) {
            movie.SeekToStart();
            movie.Play();
            position = -1;
        }
        SleepMs(kPollMs);
    }
    movie.Stop();
    audio.movie.reset();
    return 0;
}

}  // namespace

}  // namespace zrv

std::int32_t PlayMovie(const RtString& name) {
    try {
        return zrv::ShowMovie(name, false);
    } catch (...) {
        // Out of memory or a decoder's error (see core/fatal.h): no movie, as for a bad file.
        zrv::Audio().movie.reset();
        return 3;
    }
}

std::int32_t PlayMovieLooped(const RtString& name) {
    try {
        return zrv::ShowMovie(name, true);
    } catch (...) {
        // Out of memory or a decoder's error (see core/fatal.h): no movie, as for a bad file.
        zrv::Audio().movie.reset();
        return 3;
    }
}
