// A file written while a download runs: the bytes go to a new file beside the target,
// which replaces the target only when the whole download succeeded. Until then, and after
// any failure, the old file stays exactly as it was.
#pragma once

#include <string>
#include <string_view>

#include "files/file_system.h"

namespace zrv {

class DownloadFile {
public:
    // False when no new file can be made beside the target, or the target exists and is
    // not a plain file.
    bool Open(const std::string& target) { return file_.Open(target); }
    bool Write(std::string_view bytes) { return file_.Write(bytes.data(), bytes.size()); }
    // Puts the new file in the target's place; false leaves the old file. No flush to the
    // disk first: a download can be fetched again after a power cut.
    bool Finish() { return file_.Commit(false); }

private:
    ReplacementFile file_;
};

}  // namespace zrv
