// The runtime started inside the test process, as a program's start does it, with its log
// in a folder of the process's own. Every display or input test executable starts one.
#pragma once

#include <string>

namespace zrv::test {

// Sets TMPDIR to a fresh folder and runs StartRuntime with the project settings as they
// stand; call once, before the first test.
void StartRuntimeSession(const char* title);
void StopRuntimeSession();
const std::string& SessionLogFolder();

// Offers the window's waiting events to the runtime, as the frame loop does.
void PumpRuntime();

// Polls condition (which should look at the runtime's state anew each time) until it
// holds, pumping the runtime's events in between; false after the time-out.
bool Eventually(bool (*condition)(void*), void* context, double seconds = 10);
template <class Condition>
bool Eventually(Condition condition, double seconds = 10) {
    return Eventually([](void* c) { return (*static_cast<Condition*>(c))(); }, &condition, seconds);
}

}  // namespace zrv::test
