// Helpers of the file tests: folders to work in, packs to look things up in, and a clean
// files state between tests (channels, resolvers and stores are the process's own).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/runtime_state.h"
#include "files/channel_table.h"
#include "files/pack_writer.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "zorvane.h"

namespace zrv::test {

inline std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

inline std::string CurrentDirectory() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

// Runs the test inside a fresh folder; the previous directory comes back at the end.
class InFolder {
public:
    InFolder() : previous_(CurrentDirectory()) { EXPECT_EQ(::chdir(folder_.Path().c_str()), 0); }
    ~InFolder() {
        if (::chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    }
    const std::string& Path() const { return folder_.Path(); }
    std::string operator/(const std::string& name) const { return folder_ / name; }

private:
    TempDir folder_;
    std::string previous_;
};

inline PackImage MakePack(const std::vector<PackInput>& files, bool fromEnd) {
    PackImage pack;
    std::string error;
    EXPECT_TRUE(BuildMediaPack(files, fromEnd, pack, error)) << error;
    return pack;
}

inline std::string PackText(const std::vector<PackInput>& files, bool fromEnd) {
    const PackImage pack = MakePack(files, fromEnd);
    return std::string(pack.bytes.begin(), pack.bytes.end());
}

// Channels closed, stores written back and emptied, resolvers without a pack, the error
// code cleared: what every test starts from and leaves behind.
inline void ResetFiles() {
    CloseAllChannels();
    OpenConfigFile("");
    RtString ignored;
    ReadFileLine("", 0, ignored);
    SetMediaPacks("", "");
    ClearErrorCode();
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFiles(); }
    void TearDown() override { ResetFiles(); }
};

}  // namespace zrv::test
