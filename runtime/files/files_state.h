// What the files subsystem keeps for the process, held by the runtime state.
#pragma once

#include "files/channel_table.h"
#include "files/config_store.h"
#include "files/line_store.h"
#include "files/media_resolver.h"
#include "files/memory_files.h"
#include "zorvane/rt_string.h"

namespace zrv {

// Members are destroyed from the last to the first at exit: the stores write back first,
// the registry of memory blocks goes last.
struct FilesState {
    MemoryFileRegistry memoryFiles;
    MediaResolver memoryResolver;
    MediaResolver fileResolver;
    ChannelTable channels;
    ConfigStore config;
    LineStore lines;
    // The current directory the process was started in, before start-up entered the
    // executable's folder; empty until start-up.
    RtString startDirectory;
};

FilesState& Files() noexcept;

}  // namespace zrv
