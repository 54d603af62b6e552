// A user program that opens a console, asks the terminal there to identify itself (the
// "primary device attributes" request) and reports the answer it reads on standard error,
// with the escape character written as ^[.
#include <termios.h>
#include <unistd.h>

#include "zorvane.h"

void ApplyProjectSettings() {}

void ProgramMain() {
    OpenConsole();
    termios settings{};
    if (tcgetattr(STDIN_FILENO, &settings) != 0) {
        PrintToStderr("no terminal\n");
        return;
    }
    // The answer ends without a line feed: reads give up after a second without input, and
    // the piece read so far comes back.
    settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 10;
    tcsetattr(STDIN_FILENO, TCSANOW, &settings);
    PrintToStdout("\x1b[c");
    RtString answer;
    for (int attempt = 0; attempt < 30 && (answer.IsEmpty() || answer.c_str()[answer.Length() - 1] != 'c'); ++attempt) {
        answer += ReadStdinLine();
    }
    PrintToStderr(RtString("answer ") + ReplaceText(answer, "\x1b", "^[") + "\n");
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
