// Files: a media pack lookup that unpacks a 1 MiB entry, and listing a folder of 10,000
// files.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "files/media_resolver.h"
#include "files/pack_writer.h"
#include "files/rt_file.h"
#include "zorvane/files.h"
#include "zorvane/media_pack.h"

namespace {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/zrvbench-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Media-like data: runs and repeats with noise, about 2:1 under LZO.
std::vector<std::uint8_t> MediaBytes(std::size_t n) {
    std::mt19937 generator(42);
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<std::uint8_t>(generator() % 3 == 0 ? generator() : (i / 16) % 251);
    }
    return bytes;
}

// A pack of 100 small entries and one of 1 MiB behind a host of 2 MiB, as a program carries it.
std::string WritePackedExecutable(const std::string& folder) {
    std::vector<zrv::PackInput> files;
    for (int i = 0; i < 100; ++i) files.push_back({"sprite" + std::to_string(i) + ".png", MediaBytes(2000)});
    files.push_back({"music.mp3", MediaBytes(1 << 20)});
    zrv::PackImage pack;
    std::string error;
    if (!zrv::BuildMediaPack(files, true, pack, error)) return std::string();
    const std::string path = folder + "/program";
    std::ofstream out(path, std::ios::binary);
    const std::string host(2 << 20, 'h');
    out.write(host.data(), static_cast<std::streamsize>(host.size()));
    out.write(reinterpret_cast<const char*>(pack.bytes.data()), static_cast<std::streamsize>(pack.bytes.size()));
    return path;
}

void BM_ResolveAndRead1MiBEntry(benchmark::State& state) {
    const bool wantMemory = state.range(0) == 1;
    ScratchFolder folder;
    const std::string pack = WritePackedExecutable(folder.Path());
    ::setenv("TMPDIR", folder.Path().c_str(), 1);
    SetMediaPacks(pack.c_str(), pack.c_str());
    MediaResolver& resolver = wantMemory ? MemoryMediaResolver() : FileMediaResolver();
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::string usable;
        if (zrv::ResolveName(resolver, "media/Music.mp3", usable, wantMemory) != 1) {
            state.SkipWithError("lookup failed");
            break;
        }
        zrv::RtFile file;
        if (!file.OpenRead(usable.c_str()) || !file.ReadBytes(buffer.data(), file.OpenedSize())) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
    SetMediaPacks("", "");
    ::unsetenv("TMPDIR");
}
BENCHMARK(BM_ResolveAndRead1MiBEntry)->ArgName("memory")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ListFiles10000(benchmark::State& state) {
    ScratchFolder folder;
    std::mt19937 generator(7);
    const char* extensions[] = {".mp3", ".MP3", ".wav", ".txt", ".png"};
    for (int i = 0; i < 10000; ++i) {
        std::string name;
        for (int c = 0; c < 12; ++c) name += static_cast<char>((generator() % 2 ? 'a' : 'A') + generator() % 26);
        std::ofstream(folder.Path() + "/" + name + std::to_string(i) + extensions[i % 5]);
    }
    for (int i = 0; i < 20; ++i) std::filesystem::create_directory(folder.Path() + "/Folder" + std::to_string(i));
    const std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const RtString pattern = state.range(0) == 0 ? "*.*" : "*.mp3";
    RtStringArray names;
    double listed = 0;
    for (auto _ : state) listed = ListFiles(pattern, names);
    state.counters["files"] = static_cast<double>(static_cast<std::int64_t>(listed) % 65536);
    state.counters["folders"] = static_cast<double>(static_cast<std::int64_t>(listed) / 65536);
    std::filesystem::current_path(previous);
}
BENCHMARK(BM_ListFiles10000)->ArgName("mp3_only")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
