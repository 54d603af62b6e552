// Taken first into every file of the runtime (and of its tests) when it is built for
// Windows. <windows.h> reaches many files unasked, through the OpenGL and SDL headers, and
// turns five of its function names into macros (CopyFile becomes CopyFileA, and so on);
// the runtime has commands of those names, which would then be defined or called under
// the wrong name depending on what a file happened to include. Taken once, here, with
// those macros removed, it cannot bring them back later. The min and max macros are never
// wanted; Winsock's header must come before it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef DrawText
#undef PlaySound
#undef ReplaceText
// Old keywords it keeps as empty macros, which ordinary names of a program may use.
#undef far
#undef near
