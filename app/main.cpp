// The music player's executable: project settings and the endless main loop. The player
// ends only through the runtime (Escape, Alt+F4 or closing the window).
//
// Usage: zorvane_player [FOLDER]. The runtime starts every program in its executable's
// folder; the player goes back to the folder it was started in, or into the folder named
// on the command line, or else into the folder it listed last time, before it starts, so
// that it browses where the user asked.
#include "player.h"
#include "settings.h"
#include "zorvane.h"

namespace {

// The second word of the command line as the runtime keeps it: words are separated by
// blanks or tabs, double quotes group them, and backslashes are literal except before a
// quote (2n of them and a quote: n backslashes and the quote groups; 2n + 1: n backslashes
// and a literal quote). Empty when there is no second word.
RtString SecondWord(const RtString& line) {
    const char* at = line.c_str();
    RtString word;
    for (int index = 0; index < 2; ++index) {
        while (*at == ' ' || *at == '\t') ++at;
        if (*at == 0) return RtString();
        word = RtString();
        bool quoted = false;
        while (*at != 0 && (quoted || (*at != ' ' && *at != '\t'))) {
            if (*at == '\\') {
                int backslashes = 0;
                for (; *at == '\\'; ++at) ++backslashes;
                const bool beforeQuote = *at == '"';
                for (int k = 0; k < (beforeQuote ? backslashes / 2 : backslashes); ++k) word += "\\";
                if (beforeQuote && backslashes % 2 == 1) {
                    word += "\"";
                    ++at;
                }
            } else if (*at == '"') {
                quoted = !quoted;
                ++at;
            } else {
                word += RtString(at, 1);
                ++at;
            }
        }
    }
    return word;
}

// The quit hook: what changed since the last frame is kept too.
double SaveSettingsAtQuit() {
    player::SaveChangedSettings(true);
    return 0;
}

}  // namespace

void ApplyProjectSettings() {
    ProjectSettings& settings = GetProjectSettings();
    settings.width = 640;
    settings.height = 480;
    settings.frameRateLimit = 60;
    settings.fullscreen = 0;
    settings.title = "Zorvane kelvo_5";
}

void ProgramMain() {
    ChangeDir(ReadStartDir());
    player::LoadSettings();
    RtString startFolder = SecondWord(GetCommandLineText());
    if (startFolder.IsEmpty()) startFolder = player::settings.folder;
    if (!startFolder.IsEmpty()) ChangeDir(startFolder);
    player::StartPlayer();
    for (;;) player::RunPlayerFrame();
}

const FunctionNameEntry FunctionNameTable[] = {{SaveSettingsAtQuit, "ZRV_ON_QUIT"}, {nullptr, nullptr}};
