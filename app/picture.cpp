// Picture area and tile effect: the colour drift, the choice of scene and the two frame
// routines.
#include "picture.h"

#include "player.h"
#include "shapes.h"
#include "flags.h"
#include "shared.h"
#include "tile_effect.h"

namespace player {

PictureState picture;

namespace {

constexpr std::int32_t kDriftRange = 125;
constexpr double kDriftLeast = 2;
constexpr double kSceneFrames = 500;

// Every period a new target, then every frame one step toward it.
void DriftColours() {
    ColourDrift& d = picture.drift;
    if (d.timer < d.period) {
        d.timer += 1;
    } else {
        d.timer = 0;
        d.targetRed = RandomInt(kDriftRange) + kDriftLeast;
        d.targetGreen = RandomInt(kDriftRange) + kDriftLeast;
        d.targetBlue = RandomInt(kDriftRange) + kDriftLeast;
    }
    d.red += d.targetRed > d.red ? d.step : -d.step;
    d.green += d.targetGreen > d.green ? d.step : -d.step;
    d.blue += d.targetBlue > d.blue ? d.step : -d.step;
}

// A scene lasts 500 frames of music, then a different one is picked; while no music plays
// the scene is one past the last, which no shape draws, and the one it replaced comes back
// with the next piece of music.
void ChooseScene() {
    SceneChoice& c = picture.scenes;
    const bool playing = shared.musicPlaying == 1;
    if (playing && c.playLatch == 0) {
        c.playLatch = 1;
        c.stopLatch = 0;
        c.scene = c.savedScene;
        picture.pictureIdle = YesNo(false);
    }
    if (!playing && c.stopLatch == 0) {
        c.stopLatch = 1;
        c.playLatch = 0;
        c.savedScene = c.scene;
        c.scene = c.sceneCount + 1;
    }
    if (playing && c.scenePicked == 0) {
        c.scenePicked = 1;
        c.scene = PickOther(c.sceneCount, c.scene);
    }
    if (playing && c.scenePicked == 1) {
        c.sceneTimer += 1;
        if (c.sceneTimer >= kSceneFrames) {
            c.sceneTimer = 0;
            c.scenePicked = 0;
        }
    }
}

}  // namespace

double PickOther(double highest, double current) {
    double pick = RandomInt(TruncateToInt32(highest));
    if (pick == current) pick += 1;
    if (pick > highest) pick = 0;
    return pick;
}

void UpdatePicture() {
    if (picture.shapes.firstCall == 0) {
        picture.shapes.firstCall = 1;
        CreateShapeSlots();
    }
    DriftColours();
    DrawRing();
    DrawTorus();
    DrawTexturedCube();
    DrawBars();
    DrawFlatPolygon();
}

void UpdateTileEffect() {
    ChooseScene();
    RunTileEffect();
}

}  // namespace player
