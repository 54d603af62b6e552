// The program's arguments, split from the command line the runtime keeps by the same rule
// that splits a command line it starts, so that what one program passes another receives.
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "zorvane/program.h"

namespace {

// Split afresh on every call: the text is tiny, and it is only asked at start-up.
std::vector<std::string> CommandLineWords() {
    const RtString line = GetCommandLineText();
    return zrv::SplitCommandLine(line.Buffer() != nullptr ? line.Buffer() : "");
}

}  // namespace

std::int32_t ProgramArgumentCount() {
    const std::size_t words = CommandLineWords().size();
    return words > 1 ? static_cast<std::int32_t>(words - 1) : 0;
}

RtString ProgramArgument(std::int32_t n) {
    const std::vector<std::string> words = CommandLineWords();
    if (n < 0 || static_cast<std::size_t>(n) >= words.size()) return RtString();
    const std::string& word = words[static_cast<std::size_t>(n)];
    return RtString(word.data(), static_cast<std::uint32_t>(word.size()));
}
