// zrv-pack: compresses files into a media pack, either appended to a host file (usually the
// program's executable) or as a pack file of its own. The result is written to a new file
// beside the destination and renamed over it only when complete, so a failure never
// damages the host.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "files/pack_format.h"
#include "files/pack_writer.h"
#include "pack_output.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

const char kUsage[] =
    "usage: zrv-pack -o PACK FILE...\n"
    "       zrv-pack --append HOST [-o OUTPUT] FILE...\n"
    "\n"
    "Compresses each FILE with LZO1X into a media pack. Each file is stored under its\n"
    "base name (the part after the last '/'), which is the name programs look it up by,\n"
    "letters compared without case.\n"
    "\n"
    "  -o PACK        write a stand-alone pack file (positions from its start)\n"
    "  --append HOST  append the pack to HOST (positions from the end, so the host may be\n"
    "                 any file); HOST is replaced, or OUTPUT is written when -o is given.\n"
    "                 The result keeps HOST's permissions, so an executable stays one.\n"
    "  -h, --help     show this text\n";

int Refuse(const std::string& message) {
    std::fprintf(stderr, "zrv-pack: %s\n\n%s", message.c_str(), kUsage);
    return kBadUsage;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zrv-pack: %s\n", message.c_str());
    return kFailed;
}

std::string SystemError() { return std::strerror(errno); }

std::string BaseName(const std::string& path) {
    const std::size_t cut = path.find_last_of(zrv::pack::kPathSeparators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& data, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = "cannot read \"" + path + "\": " + SystemError();
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "\"" + path + "\" is not a regular file";
        return false;
    }
    if (info.st_size > zrv::pack::kMaxUnpackedSize) {
        error = "\"" + path + "\" is larger than a pack entry may be (1 GiB)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    data.resize(static_cast<std::size_t>(info.st_size));
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(data.size())) {
        error = "cannot read \"" + path + "\"";
        return false;
    }
    return true;
}

bool EndsWithPack(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (size < zrv::pack::kTrailerSize) return false;
    in.seekg(size - zrv::pack::kTrailerSize);
    char magic[3] = {};
    in.read(magic, 3);
    return in.good() && std::memcmp(magic, zrv::pack::kMagic, 3) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    std::string host;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "-o" || argument == "--append") {
            if (i + 1 >= argc) return Refuse(argument + " needs a file name");
            std::string& target = argument == "-o" ? output : host;
            if (!target.empty()) return Refuse(argument + " given twice");
            target = argv[++i];
            if (target.empty()) return Refuse(argument + " needs a file name");
        } else if (argument == "--") {
            for (++i; i < argc; ++i) inputs.emplace_back(argv[i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            return Refuse("unknown option " + argument);
        } else {
            inputs.push_back(argument);
        }
    }
    if (output.empty() && host.empty()) return Refuse("say where the pack goes: -o PACK or --append HOST");
    if (inputs.empty()) return Refuse("no files to pack");
    if (output.empty()) output = host;

    std::vector<zrv::PackInput> files;
    for (const std::string& path : inputs) {
        zrv::PackInput file;
        file.name = BaseName(path);
        if (file.name.empty() || file.name.size() > zrv::pack::kMaxNameLength) {
            return Refuse("\"" + path + "\": the file name must be 1 to 255 bytes long");
        }
        for (const zrv::PackInput& earlier : files) {
            // Lookups ignore case and folders, so the second file could never be found.
            if (SameIgnoringCase(earlier.name, file.name)) {
                return Refuse("two files are named \"" + file.name + "\" (names must differ in more than case)");
            }
        }
        std::string error;
        if (!ReadWholeFile(path, file.data, error)) return Fail(error);
        files.push_back(std::move(file));
    }

    zrv::PackImage pack;
    std::string error;
    if (!zrv::BuildMediaPack(files, !host.empty(), pack, error)) return Fail(error);
    if (!host.empty() && EndsWithPack(host)) {
        std::fprintf(stderr, "zrv-pack: note: \"%s\" already ends with a media pack; the new one takes its place "
                             "for lookups (the old data stays in the file)\n", host.c_str());
    }
    if (!zrv::pack::WriteResult(output, host, pack.bytes, error)) return Fail(error);
    std::printf("%s: %zu file(s), pack of %zu bytes%s\n", output.c_str(), pack.entries.size(), pack.bytes.size(),
                host.empty() ? "" : " appended");
    return 0;
}
