// The music player as a library: start-up and one frame, so that the player's executable,
// the tests and the benchmarks all run the same code.
#pragma once

namespace player {

// Opens the 640 x 200 drawing area, loads the font, sets up the folders and plays the
// start-up tune when its marker file is there.
void StartPlayer();
// One pass of the main loop: mouse and keys, picture, tiles, panels and the menu bar's
// readout, file browser, drive list, the remembered settings, then the runtime's frame call.
void RunPlayerFrame();

// The screen areas' frame routines, in drawing order.
void UpdatePicture();
void UpdateTileEffect();
void UpdatePanels();
void UpdateFileBrowser();
void UpdateDriveList();

}  // namespace player
