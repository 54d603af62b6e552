// Start-up and the main loop of the player.
#include "keys.h"
#include "media_keys.h"
#include "now_playing.h"
#include "panels.h"
#include "player.h"
#include "settings.h"
#include "shared.h"

namespace player {

Shared shared;

namespace {
constexpr std::int32_t kScreenWidth = 640;
constexpr std::int32_t kScreenHeight = 200;
constexpr std::int32_t kFontSlot = 1;
}  // namespace

void StartPlayer() {
    // A music player keeps playing, looping its track and animating behind other windows;
    // it rests only while minimised.
    SetPauseOnlyWhenMinimised(1);
    OpenScreen(kScreenWidth, kScreenHeight, 0);
    QueryScreenSize(shared.screenWidth, shared.screenHeight);

    RtString workPath = ReadCurrentDir();
    shared.trackDir = workPath;
    workPath += "media/";
    shared.mediaPath = workPath;
    shared.browseDir = shared.mediaPath;

    LoadBitmapFont(shared.mediaPath + "font.bmp", kFontSlot);
    QueryFontSize(shared.fontWidth, shared.fontHeight);
    ShowMousePointer(1);

    // The start-up tune plays once, on the first start after its marker was put there.
    shared.startTuneMarker = FileExists(shared.mediaPath + "text.txt");
    if (shared.startTuneMarker == 1) {
        shared.playingPath = shared.mediaPath + "music.mp3";
        StartMusic(shared.playingPath, 0);
        ApplySliderVolume();
        DeleteFile(shared.mediaPath + "text.txt");
    }

    shared.picLeft = 30;
    shared.picTop = 30;
    shared.picRight = 230;
    shared.picBottom = 180;
    shared.shapeAnchorA = 130;
    shared.shapeAnchorB = 105;
    OfferToMediaControls();
}

void RunPlayerFrame() {
    ReadMouse(shared.mouseX, shared.mouseY, shared.mouseLeft, shared.mouseRight);
    UpdateKeys();
    UpdateMediaKeys();
    UpdatePicture();
    UpdateTileEffect();
    UpdatePanels();
    DrawNowPlaying();
    UpdateFileBrowser();
    UpdateDriveList();
    SaveChangedSettings();
    PresentFrame();
}

}  // namespace player
