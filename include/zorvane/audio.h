// Music, movies and sound effects.
//
// Music: one piece at a time, of any format the media decoder opens (wav, mp3, wma, ogg,
// flac, ...). Looping music is restarted by the frame call once its length has passed;
// time spent paused does not count, and after a seek the rest of the piece does. Times
// are in milliseconds from the start of the piece.
// Movies play inside the main window, scaled to fit and centred, until they end or a key
// or mouse button is pressed.
//
// Sound effects: RIFF WAVE files (8- or 16-bit PCM, mono or stereo, any rate) loaded into
// slots 0..255, each with one to four voices so that an effect can overlap itself. A
// channel number names one voice: slot × 256 + voice.
//
// Names go through the media pack like every media name (zorvane/media_pack.h). Without an
// audio device music still runs on the clock, and sound effects do nothing.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// Stops the current music and starts the named piece at normal volume; a name that cannot
// be found or opened leaves no music playing. loop non-zero: the piece repeats.
void StartMusic(const RtString& name, std::int32_t loop);
// Returns 0.
std::int32_t StopMusic();
// 1 = normal, 0 = silent. Every new piece starts at 1.
void SetMusicVolume(double volume);
// 1 while music plays (always while looping music is loaded), else 0. A paused piece that
// has not ended counts as playing.
std::int32_t IsMusicPlaying();
// Holds the current piece where it is / plays it on from there; nothing without music.
void PauseMusic();
void ResumeMusic();
// 1 while the current piece is paused, else 0. StartMusic and StopMusic end a pause.
std::int32_t IsMusicPaused();
// Where the current piece is and how long it is; 0 without music.
double MusicPosition();
double MusicLength();
// Jumps to that time, clamped to 0 .. length; a paused piece stays paused there. Nothing
// without music.
void SeekMusic(double milliseconds);
// The piece's title from its tags (ID3, Vorbis comments, ASF), or empty when it has none.
RtString MusicTitle();
// Both return 0 after the movie was shown, 3 when the file cannot be found or opened.
std::int32_t PlayMovie(const RtString& name);
// Repeats the movie until a key or mouse button ends it.
std::int32_t PlayMovieLooped(const RtString& name);

// The lowest empty slot, or -1 when all 256 hold a sound.
std::int32_t FindFreeSound();
// A slot above 255 is taken as 255; voices is clamped to 1..4. A file that is missing or
// not a playable WAVE leaves the slot empty.
void LoadSound(const RtString& name, std::int32_t slot, std::int32_t voices);
// pan -1 (left) .. 1 (right), volume 0 .. 1. The channel number, or -1 when nothing could
// be played (empty slot, no device, or the slot's only voice still playing).
std::int32_t PlaySound(std::int32_t slot, double pan, double volume);
// 1 while that voice plays, else 0.
std::int32_t IsSoundPlaying(std::int32_t channel);
// Stops every voice of every slot and rewinds it.
void StopAllSounds();
