// The player's playback as other parts of the program drive it: the keys, the menu bar's
// readout, and the desktop's media keys. Each call acts as the player's own controls do:
// a track played here is selected in the list and looped by the loop switch as if it had
// been clicked. Times are milliseconds from the start of the track.
#pragma once

#include "zorvane.h"

namespace player {

// Pause and resume the music that is loaded; nothing happens without any.
void TogglePause();
void PausePlayback();
void ResumePlayback();
// Stops the music and forgets the current track, as a click on "." does.
void StopPlayback();
// Plays the music file step music files after (step > 0) or before (step < 0) the current
// track in the listed folder's order, wrapping round at either end; without a current
// track the first or the last music file. Nothing happens in a folder without music.
void PlayAdjacentTrack(int step);
// Moves within the loaded track, kept within its start and its end.
void SeekBy(double milliseconds);
void SeekTo(double milliseconds);

// 1 while music is loaded, playing or paused.
bool TrackLoaded();
// The whole path of the loaded music, empty when none.
RtString PlayingTrackPath();
// The title the music file carries, else its file name; empty when none is loaded.
RtString PlayingTitle();
double PlaybackPosition();
double PlaybackLength();
bool PlaybackPaused();

}  // namespace player
