// The display tests are a program of the runtime themselves: the runtime starts in the
// test process before the first test, with a message hook that counts its calls.
#include <gtest/gtest.h>

#include "display/support/runtime_session.h"
#include "zorvane/program.h"

namespace {

int hookCalls = 0;
double CountMessage() { return ++hookCalls; }

class DisplaySession : public ::testing::Environment {
public:
    void SetUp() override { zrv::test::StartRuntimeSession("Zorvane display test"); }
    void TearDown() override { zrv::test::StopRuntimeSession(); }
};

const auto* const session = ::testing::AddGlobalTestEnvironment(new DisplaySession);

}  // namespace

int MessageHookCalls() { return hookCalls; }

void ApplyProjectSettings() {}
void ProgramMain() {}

const FunctionNameEntry FunctionNameTable[] = {
    {CountMessage, "ZRV_WIN32_MSG"},
    {nullptr, nullptr},
};
