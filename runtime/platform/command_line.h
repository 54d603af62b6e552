// Command lines as one text: splitting into program arguments and joining them back.
#pragma once

#include <string>
#include <vector>

namespace zrv {

// Blanks and tabs separate arguments; double quotes group blanks into one argument and
// are removed. A backslash is an ordinary character except in front of a double quote:
// 2n backslashes and a quote give n backslashes and start or end a quoted part, 2n + 1
// backslashes and a quote give n backslashes and a literal quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The inverse: arguments with blanks, tabs or quotes (and empty ones) are quoted so that
// SplitCommandLine gives them back unchanged.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// The process's command line as one text, program path included: on Windows as the system
// keeps it, elsewhere joined from the arguments main() received.
std::string ProcessCommandLine(int argc, char** argv);

}  // namespace zrv
