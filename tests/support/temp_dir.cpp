#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zrv::test {

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::vector<std::string> ReadLogLines(const std::string& folder) {
    const std::string text = ReadFile(folder + "/ErrorLog.txt");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CRLF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

int LoggedStopCode(const std::string& folder) {
    const auto lines = ReadLogLines(folder);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "-End On Line") return std::stoi(lines[i + 1]);
    }
    return -1000;
}

}  // namespace zrv::test
