// The 2D tests are a program of the runtime: the runtime starts in the test process
// before the first test, with its window, context and start-up font.
#include <gtest/gtest.h>

#include "display/support/runtime_session.h"
#include "zorvane/display.h"
#include "zorvane/program.h"

namespace {

class Gfx2dSession : public ::testing::Environment {
public:
    void SetUp() override {
        zrv::test::StartRuntimeSession("Zorvane 2D test");
        // Child programs of the start-up tests take the focus; the frame call must not
        // hold this process while its window is inactive.
        SetAutoPause(0);
    }
    void TearDown() override { zrv::test::StopRuntimeSession(); }
};

const auto* const session = ::testing::AddGlobalTestEnvironment(new Gfx2dSession);

}  // namespace

void ApplyProjectSettings() {}
void ProgramMain() {}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
