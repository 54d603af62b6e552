// Shader programs: what they draw, read back from the back buffer, and what a debugger is
// told when building one fails.
#include <map>
#include <string>

#include "gfx2d/canvas.h"
#include "gfx2d/shader_programs.h"
#include "support/child_process.h"
#include "support/environment.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

constexpr const char* kGreenVertex =
    "void main() { gl_FrontColor = vec4(0.0, 1.0, 0.0, 1.0); gl_Position = ftransform(); }\n";
// level 1 is red, 0 blue.
constexpr const char* kLevelFragment =
    "uniform float level;\nvoid main() { gl_FragColor = vec4(level, 0.0, 1.0 - level, 1.0); }\n";
constexpr const char* kRedFragment = "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n";

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

class Shaders : public Canvas {
protected:
    void TearDown() override {
        UseShader(-1);
        Canvas::TearDown();
    }
    // A white square at (x, y); the colour of its middle.
    std::int32_t SquareAt(std::int32_t x, std::int32_t y) {
        FillRect(x, y, 20, 20, kWhiteColour);
        return BackPixel(x + 10, y + 10);
    }
};

TEST_F(Shaders, AFragmentShaderColoursWhatIsDrawnAndItsUniformChangesTheColour) {
    // From an in-memory file, as from a pack.
    const std::string source = kLevelFragment;
    const RtString name = RegisterMemoryFile(source.data(), static_cast<std::int32_t>(source.size()));
    ASSERT_EQ(LoadShader(3, "", name), 1);
    ReleaseMemoryFile(name);
    UseShader(3);
    SetShaderFloat("level", 1);
    EXPECT_EQ(SquareAt(10, 10), kRedColour);
    SetShaderFloat("level", 0);
    EXPECT_EQ(SquareAt(40, 10), kBlueColour);
    // A name the program does not use changes nothing.
    SetShaderFloat("brightness", 1);
    EXPECT_EQ(SquareAt(70, 10), kBlueColour);
}

TEST_F(Shaders, SlotsOutsideTheRangeAndTheFrameCallSwitchShadersOff) {
    ASSERT_EQ(LoadShader(0, "", File("red.frag", Text(kRedFragment)).c_str()), 1);
    UseShader(0);
    EXPECT_EQ(SquareAt(0, 0), kRedColour);
    UseShader(-1);
    EXPECT_EQ(SquareAt(30, 0), kWhiteColour);

    UseShader(0);
    EXPECT_EQ(SquareAt(60, 0), kRedColour);
    UseShader(255);
    EXPECT_EQ(SquareAt(90, 0), kWhiteColour);

    UseShader(0);
    EXPECT_EQ(SquareAt(120, 0), kRedColour);
    PresentFrame();
    EXPECT_EQ(SquareAt(150, 0), kWhiteColour);
    EXPECT_EQ(zrv::Shaders().current, -1);
}

TEST_F(Shaders, AnUnreadableFragmentFileLeavesAProgramOfTheVertexShaderAlone) {
    const std::string vertex = File("green.vert", Text(kGreenVertex));
    ASSERT_EQ(LoadShader(2, vertex.c_str(), (folder_ / "missing.frag").c_str()), 1);
    UseShader(2);
    EXPECT_EQ(SquareAt(10, 10), kGreenColour);

    // Without any readable file nothing is built, and the slot draws without a program.
    EXPECT_EQ(LoadShader(2, (folder_ / "missing.vert").c_str(), ""), 0);
    UseShader(2);
    EXPECT_EQ(SquareAt(40, 10), kWhiteColour);
    // Slots end at 254.
    EXPECT_EQ(LoadShader(255, vertex.c_str(), ""), 0);
    EXPECT_EQ(LoadShader(-1, vertex.c_str(), ""), 0);
}

// The 3D engine's integer samplers and per-vertex values use the same programs.
TEST_F(Shaders, IntegerUniformsAndVertexAttributesReachTheProgramInUse) {
    const std::string vertex = File("shade.vert", Text("attribute float shade;\n"
                                                        "void main() { gl_FrontColor = vec4(shade, 0.0, 0.0, 1.0);"
                                                        " gl_Position = ftransform(); }\n"));
    const std::string fragment = File("pick.frag", Text("uniform int pick;\n"
                                                         "void main() { gl_FragColor = pick == 1 ? gl_Color"
                                                         " : vec4(0.0, 1.0, 0.0, 1.0); }\n"));
    ASSERT_EQ(LoadShader(4, vertex.c_str(), fragment.c_str()), 1);
    UseShader(4);
    SetShaderInt("pick", 1);
    SetShaderAttribute("shade", 1.0);
    EXPECT_EQ(SquareAt(10, 10), kRedColour);
    SetShaderInt("pick", 0);
    EXPECT_EQ(SquareAt(40, 10), kGreenColour);
}

// The probe's standard error cut at its "== <step>" lines.
std::map<std::string, std::string> Steps(const std::string& err) {
    std::map<std::string, std::string> steps;
    std::string* current = nullptr;
    std::size_t at = 0;
    while (at < err.size()) {
        std::size_t end = err.find('\n', at);
        end = end == std::string::npos ? err.size() : end + 1;
        const std::string line = err.substr(at, end - at);
        if (line.rfind("== ", 0) == 0) {
            current = &steps[line.substr(3, line.size() - 4)];
        } else if (current != nullptr) {
            *current += line;
        }
        at = end;
    }
    return steps;
}

ChildResult RunShaderProbe(const TempDir& files, const std::string& debugMode, bool withShaderObjects = true) {
    ChildOptions options;
    options.traced = true;
    options.env = {{kTempFolderVariable, files.Path()}, {"ZRV_SHADER_DIR", files.Path()}, {"ZRV_DEBUG_MODE", debugMode}};
    if (!withShaderObjects) options.env.emplace_back("MESA_EXTENSION_OVERRIDE", "-GL_ARB_shader_objects");
    return RunChild(TestProgram("shader_probe"), options);
}

void WriteProbeFiles(const TempDir& files) {
    StoreFile(files / "good.vert", Text(kGreenVertex));
    StoreFile(files / "good.frag", Text(kLevelFragment));
    StoreFile(files / "bad.vert", Text("void main() { this is not a shader }\n"));
    StoreFile(files / "bad.frag", Text("void main() { gl_FragColor = undeclared; }\n"));
    // Compiles, but a program needs a main.
    StoreFile(files / "no_main.vert", Text("float halve(float x) { return x * 0.5; }\n"));
}

// "TX" + the compiler's or linker's log + "\n", then "TX" + what failed + "\n".
void ExpectLogThen(const std::string& reports, const std::string& failure) {
    const std::string ending = "TX" + failure + "\n";
    EXPECT_EQ(reports.rfind("TX", 0), 0u) << reports;
    ASSERT_GT(reports.size(), ending.size() + 3) << reports;
    EXPECT_EQ(reports.substr(reports.size() - ending.size()), ending) << reports;
    const std::string log = reports.substr(2, reports.size() - ending.size() - 3);
    EXPECT_NE(log.find("error"), std::string::npos) << log;
    EXPECT_EQ(log.find("TX"), std::string::npos) << log;
}

TEST(ShaderReports, FailedBuildsGiveZeroAndTellAnAttachedDebuggerWhyOnlyInDebugMode) {
    TempDir files;
    WriteProbeFiles(files);
    const std::string results = "good 1\nvertex 0\nfragment 0\nlink 0\nagain 1\n";

    ChildResult result = RunShaderProbe(files, "1");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(results), std::string::npos) << result.out;
    auto steps = Steps(result.err);
    EXPECT_EQ(steps["good"], "");
    EXPECT_EQ(steps["unknown uniform"], "TXundefined uniform:\nTXmissing\n");
    ExpectLogThen(steps["vertex"], "vertex shader failed");
    ExpectLogThen(steps["fragment"], "fragment shader failed");
    ExpectLogThen(steps["link"], "link shader failed");
    EXPECT_EQ(steps["again"], "");

    result = RunShaderProbe(files, "0");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(results), std::string::npos) << result.out;
    EXPECT_EQ(result.err.find("TX"), std::string::npos) << result.err;
}

TEST(ShaderReports, WithoutTheShaderObjectExtensionEveryLoadGivesZeroAndTheFirstSaysSo) {
#ifdef _WIN32
    GTEST_SKIP() << "the driver's extensions are hidden through Mesa's own variable, which a Windows "
                    "program cannot hand to the driver of a program it starts";
#endif
    TempDir files;
    WriteProbeFiles(files);
    const ChildResult result = RunShaderProbe(files, "1", false);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("good 0\nvertex 0\nfragment 0\nlink 0\nagain 0\n"), std::string::npos) << result.out;
    auto steps = Steps(result.err);
    EXPECT_EQ(steps["good"], "TXNo OpenGL 2.0 Shader Support\n");
    EXPECT_EQ(result.err.find("TX"), result.err.rfind("TX")) << result.err;
}

}  // namespace
}  // namespace zrv::test
