#include "platform/command_line.h"

namespace zrv {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (i < n) {
        const char c = commandLine[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t backslashes = 0;
            while (i < n && commandLine[i] == '\\') ++backslashes, ++i;
            if (i < n && commandLine[i] == '"') {
                current.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    current += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                current.append(backslashes, '\\');
            }
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
        } else {
            current += c;
        }
        ++i;
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
            line += argument;
            continue;
        }
        line += '"';
        std::size_t backslashes = 0;
        for (const char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes before a quote are doubled, the quote itself escaped.
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');  // they stand before the closing quote
        line += '"';
    }
    return line;
}

}  // namespace zrv
