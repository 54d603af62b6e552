#include "audio/ffmpeg_library.h"

#include <dlfcn.h>

#include <string>

#include "zorvane/program.h"

namespace zrv {

namespace {

#define ZRV_STRING(x) #x
#define ZRV_SONAME(library, major) "lib" library ".so." ZRV_STRING(major)

// The major versions are those of the headers compiled against, so a library of another
// interface is never taken.
struct Library {
    const char* soname;
    void* handle = nullptr;
};
Library avutil{ZRV_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR)};
Library avcodec{ZRV_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR)};
Library avformat{ZRV_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)};
Library swresample{ZRV_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR)};
Library swscale{ZRV_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR)};

bool Open(Library& library) {
    library.handle = dlopen(library.soname, RTLD_NOW | RTLD_LOCAL);
    if (library.handle == nullptr) AppendLogLine((std::string("Music and movies unavailable: ") + library.soname + " not found").c_str());
    return library.handle != nullptr;
}

template <class Function>
bool Find(Library& library, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(dlsym(library.handle, name));
    if (slot == nullptr) AppendLogLine((std::string("Music and movies unavailable: ") + library.soname + " lacks " + name).c_str());
    return slot != nullptr;
}

}  // namespace

bool BindFfmpeg(FfmpegFunctions& functions) {
    for (Library* library : {&avutil, &avcodec, &avformat, &swresample, &swscale}) {
        if (!Open(*library)) return false;
    }
    bool complete = true;
#define ZRV_FFMPEG_FIND(library, name) complete = Find(library, #name, functions.name) && complete;
    ZRV_FFMPEG_FUNCTIONS(ZRV_FFMPEG_FIND)
#undef ZRV_FFMPEG_FIND
    return complete;
}

}  // namespace zrv
