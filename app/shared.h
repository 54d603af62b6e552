// The player's variables that several screen areas read or write. Each area keeps the rest
// of its state in its own header (panels.h, file_browser.h, drive_list.h, picture.h).
#pragma once

#include "zorvane.h"

namespace player {

struct Shared {
    // The mouse as the main loop read it this frame; the runtime keeps it inside the window.
    double mouseX = 0;
    double mouseY = 0;
    double mouseLeft = 0;
    double mouseRight = 0;

    double screenWidth = 0;
    double screenHeight = 0;
    // Cell of the loaded font: all text layout is in these units.
    double fontWidth = 0;
    double fontHeight = 0;

    // The start folder followed by "media/"; never changes after start-up.
    RtString mediaPath;
    // The folder of the track started last; the drive list returns here after probing.
    RtString trackDir;
    // The folder the title line shows.
    RtString browseDir;
    double startTuneMarker = 0;

    // The picture area the shapes are drawn into and the tiles cut up, and its centre.
    double picLeft = 0;
    double picTop = 0;
    double picRight = 0;
    double picBottom = 0;
    double shapeAnchorA = 0;
    double shapeAnchorB = 0;

    // 1 while the runtime reports music playing, published by the file browser.
    double musicPlaying = 0;
    // The whole path of the music started last, the start-up tune or a listed track.
    RtString playingPath;
};

extern Shared shared;

}  // namespace player
