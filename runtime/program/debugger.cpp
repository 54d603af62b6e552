#include "program/debugger.h"

#include <cstdio>
#include <string>

#include "core/fatal.h"
#include "display/graphics_startup.h"
#include "program/runtime_state.h"

void DebugPrint(const RtString& text) {
    if (!zrv::DebuggerAttached()) return;
    zrv::SendToDebugger(std::string("TX") + (text.Buffer() != nullptr ? text.Buffer() : ""));
}

void CheckAssertion(std::int32_t value) {
    if (value == 0) return;
    DebugPrint(RtString("Assertion: Value = ") + IntToText(value) + "\n");
    zrv::StopWithError(kErrorAssertion);
}

std::int32_t BreakToDebugger(std::int32_t value) {
    if (!zrv::DebuggerAttached()) return 0;
    char text[16];
    std::snprintf(text, sizeof text, "BP%x", static_cast<unsigned>(value));
    zrv::HideMainWindow();
    zrv::SendToDebugger(text);
    auto& runtime = zrv::Runtime();
    runtime.frame.paused = 0;
    // Keys held while the debugger has the focus must not read as held afterwards.
    if (auto* input = runtime.input.get()) {
        zrv::RefreshKeyboard(*input);
        zrv::MarkKeyStateForReset(*input);
    }
    runtime.breakPending = 1;
    return 1;
}
