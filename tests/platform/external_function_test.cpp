#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/module_cache.h"
#include "support/child_process.h"
#include "zorvane/platform.h"

namespace zrv::test {
namespace {

using UnaryMaths = double (*)(double);

TEST(ResolveExternalFunction, NamesInAnyCapitalisationShareOneLoadOfTheModule) {
    const std::size_t before = Modules().Size();
    RtString module = "LIBM.so.6";
    ExternalFunction cosine = nullptr;
    ResolveExternalFunction(module, "cos", cosine);
    EXPECT_STREQ(module.c_str(), "libm.so.6");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(reinterpret_cast<UnaryMaths>(cosine)(0.0), 1.0);
    EXPECT_EQ(Modules().Size(), before + 1);

    RtString again = "libm.so.6";
    ExternalFunction sine = nullptr;
    ResolveExternalFunction(again, "sin", sine);
    ASSERT_NE(sine, nullptr);
    EXPECT_DOUBLE_EQ(reinterpret_cast<UnaryMaths>(sine)(0.0), 0.0);
    ExternalFunction missing = reinterpret_cast<ExternalFunction>(&std::strlen);
    ResolveExternalFunction(again, "no_such_function", missing);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(Modules().Size(), before + 1);

    // A Windows library name finds the shared object of the same base name.
    RtString windowsName = "Z.DLL";
    ExternalFunction version = nullptr;
    ResolveExternalFunction(windowsName, "zlibVersion", version);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(reinterpret_cast<const char* (*)()>(version)()[0], '1');
    EXPECT_STREQ(windowsName.c_str(), "z.dll");
}

TEST(ResolveExternalFunction, AMissingModuleGivesNullEveryTimeAndTellsOnlyADebugger) {
    const auto declareTwice = [] {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::size_t before = Modules().Size();
            RtString module = "No_Such_Module.DLL";
            ExternalFunction result = reinterpret_cast<ExternalFunction>(&std::strlen);
            ResolveExternalFunction(module, "anything", result);
            if (result != nullptr || Modules().Size() != before) _exit(1);
        }
    };
    for (const bool traced : {true, false}) {
        ForkedChild child = ForkInNewSession(declareTwice, traced);
        const std::string text = "TXDECLARE module not found: no_such_module.dll\n";
        const std::string reports = ReadUntil(child.err, "\1");
        EXPECT_EQ(FinishChild(child), 0);
        EXPECT_EQ(reports, traced ? text + text : "") << "traced " << traced;
    }
}

}  // namespace
}  // namespace zrv::test
