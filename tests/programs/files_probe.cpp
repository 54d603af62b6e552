// A user program for the file tests, run as a child process. FILES_PROBE chooses what it
// does; FILES_DIR is where it works and writes.
//   round_trip: reads every name of FILES_NAMES ('|'-separated) through a channel and
//               through the file resolver, and writes what it got to FILES_DIR/<i>.channel
//               and FILES_DIR/<i>.file.
//   folders:    says the folder it was started in and the current one.
//   store_at_end: changes a line file and a configuration file in FILES_DIR and ends,
//               leaving the write-back to the program's end.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../support/probe_io.h"
#include "zorvane.h"

namespace {

using zrv::test::Env;
using zrv::test::Say;

void CopyThroughChannels(const RtString& name, const std::string& target) {
    if (OpenChannel(0, name, 1) == 0) {
        Say("no channel for " + std::string(name.c_str()));
        return;
    }
    OpenChannel(1, target.c_str(), 0);
    while (EndOfFile(0) == 0) {
        std::int32_t byte = 0;
        ReadUInt8(0, byte);
        WriteUInt8(1, byte);
    }
    CloseChannel(1);
    CloseChannel(0);
}

void RoundTrip(const std::string& folder) {
    std::string names = Env("FILES_NAMES");
    int index = 0;
    for (std::size_t start = 0; start <= names.size(); ++index) {
        std::size_t end = names.find('|', start);
        if (end == std::string::npos) end = names.size();
        const RtString name = names.substr(start, end - start).c_str();
        start = end + 1;
        const std::string stem = folder + "/" + std::to_string(index);
        CopyThroughChannels(name, stem + ".channel");
        RtString usable;
        if (ResolveMediaName(FileMediaResolver(), name, usable, 0) == 0) {
            Say("no file for " + std::string(name.c_str()));
            continue;
        }
        Say("file " + std::string(usable.c_str()));
        CopyFile(usable, (stem + ".file").c_str());
    }
}

}  // namespace

void ApplyProjectSettings() {}

void ProgramMain() {
    const std::string probe = Env("FILES_PROBE");
    const std::string folder = Env("FILES_DIR");
    if (probe == "round_trip") {
        RoundTrip(folder);
    } else if (probe == "folders") {
        Say(std::string("start ") + ReadStartDir().c_str());
        Say(std::string("current ") + ReadCurrentDir().c_str());
    } else if (probe == "store_at_end") {
        // Relative names in a folder the end sequence leaves again.
        ChangeDir(folder.c_str());
        WriteFileLine("lines.txt", 5, "five");
        OpenConfigFile("game.ini");
        WriteConfigValue("Player", "Name", "Ada ");
    }
}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
