// Unit-test executables link the runtime without its main(); they still have to supply
// what every program supplies. The name table holds functions the frame tests call.
#include "zorvane/program.h"

namespace {
int calls = 0;
double CountCall() { return ++calls; }
}  // namespace

int UnitProgramCallCount() { return calls; }

void ApplyProjectSettings() {}
void ProgramMain() {}

const FunctionNameEntry FunctionNameTable[] = {
    {CountCall, "COUNT_CALL"},
    {CountCall, "COUNT_CALL"},  // a second entry of the same name is never reached
    {nullptr, nullptr},
};
