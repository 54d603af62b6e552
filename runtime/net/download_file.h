// A file written while a download runs: the bytes go to a new file beside the target,
// which replaces the target only when the whole download succeeded. Until then, and after
// any failure, the old file stays exactly as it was.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

class DownloadFile {
public:
    DownloadFile() = default;
    // An unfinished download leaves nothing behind.
    ~DownloadFile();
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    // False when no new file can be made beside the target, or the target exists and is
    // not a plain file.
    bool Open(const std::string& target);
    bool Write(std::string_view bytes);
    // Puts the new file in the target's place; false leaves the old file.
    bool Finish();

private:
    void Discard() noexcept;

    int fd_ = -1;
    std::string target_;
    std::string temporary_;
};

}  // namespace zrv
