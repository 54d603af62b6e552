// The temporary folder, where the log and unpacked media go.
#pragma once

#include <string>

namespace zrv {

// $TMPDIR when set, else /tmp; always ending in "/". On Windows the folder GetTempPathA
// names, ending in its separator.
std::string TempDirectory();

}  // namespace zrv
