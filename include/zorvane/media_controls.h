// The desktop's media controls: media keys, the panel's player widget and the lock
// screen's buttons reach a program that offers itself to them, and show what it plays.
//
// A program publishes once at start, then each frame polls for the commands the desktop
// sent and publishes what it plays. Polling never blocks: questions the desktop asks are
// answered inside the poll, from the state last published, so no thread is involved.
// Without the desktop's session bus every command here does nothing, quietly: publishing
// gives 0 and polling gives 0.
//
// Times are milliseconds. Titles and paths are UTF-8 (bytes that are not are shown as
// "?"); a path that is not absolute is taken from the current folder when published.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// What PollMediaCommand gives.
constexpr std::int32_t kMediaNone = 0;
constexpr std::int32_t kMediaPlayPause = 1;
constexpr std::int32_t kMediaPlay = 2;
constexpr std::int32_t kMediaPause = 3;
constexpr std::int32_t kMediaStop = 4;
constexpr std::int32_t kMediaNext = 5;
constexpr std::int32_t kMediaPrevious = 6;
// Forward (or, negative, back) by MediaCommandValue() milliseconds.
constexpr std::int32_t kMediaSeek = 7;
// To MediaCommandValue() milliseconds into the piece that plays.
constexpr std::int32_t kMediaSetPosition = 8;
// The desktop asks the program to end.
constexpr std::int32_t kMediaQuit = 9;

// What PublishMediaState takes as the status.
constexpr std::int32_t kMediaStopped = 0;
constexpr std::int32_t kMediaPlaying = 1;
constexpr std::int32_t kMediaPaused = 2;

// Offers the program to the media controls under identity (the name they show); a second
// program of the same identity is offered beside the first. desktopEntry is the base name
// of the program's desktop file, empty when it has none. 1 when offered, else 0 (no
// session bus, or an empty identity). Publishing again while offered changes nothing.
std::int32_t PublishMediaControls(const RtString& identity, const RtString& desktopEntry);
// The next command the desktop sent (kMediaPlayPause ...), or kMediaNone when none waits.
// Call it once per frame: it also answers the desktop's questions.
std::int32_t PollMediaCommand();
// The amount of the command PollMediaCommand last gave (kMediaSeek, kMediaSetPosition),
// otherwise 0.
double MediaCommandValue();
// What plays: status kMediaStopped, kMediaPlaying or kMediaPaused; the piece's title and
// path (an empty path: no piece); where it stands and its length; volume 0 .. 1. While it
// plays the position counts on by itself until the next call.
void PublishMediaState(std::int32_t status, const RtString& title, const RtString& path, double positionMs,
                       double lengthMs, double volume);
