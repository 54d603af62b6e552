// Whether a name is safe to read to its end: a device never ends its data and a named pipe
// may wait for a writer, so readers that take a whole file take only plain ones.
#pragma once

#include <string>

namespace zrv {

// True for a "mem://" name and for a disk file that is a plain file once links are
// followed.
bool IsPlainFile(const std::string& name);

}  // namespace zrv
