#include <cstdio>

#include "core/core_state.h"
#include "core/fatal.h"
#include "zorvane/maths.h"

namespace {

const char* ErrorTextOf(std::int32_t code) noexcept {
    switch (code) {
        case kErrorNone: return "success";
        case kErrorNoSuchFile: return "no such file";
        case kErrorOutOfMemory: return "out of memory";
        case kErrorOutOfBounds: return "out of bounds";
        case kErrorOutOfData: return "out of data";
        default: return "unknown error";
    }
}

}  // namespace

double SetErrorCode(double code) noexcept {
    auto& errors = zrv::Errors();
    errors.errorCode = TruncateToInt32(code);
    errors.errorLine = errors.currentLine;
    return code;
}

double ClearErrorCode() noexcept {
    zrv::Errors().errorCode = 0;
    return 0;
}

RtString GetErrorText() {
    const std::int32_t code = zrv::Errors().errorCode;
    char text[64];
    std::snprintf(text, sizeof text, "%.4d %s", code, ErrorTextOf(code));
    return RtString(text);
}

void SetSourcePosition(std::int32_t tag, std::int32_t line) noexcept {
    auto& errors = zrv::Errors();
    errors.positionTag = tag;
    errors.currentLine = line;
}

namespace zrv {

void StopWithError(std::int32_t code) {
    SetErrorCode(code);
    StopProgram();
}

void StopOutOfMemory() { StopWithError(kErrorOutOfMemory); }

}  // namespace zrv
