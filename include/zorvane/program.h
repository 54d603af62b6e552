// The program frame: what a user program supplies, the project settings, the runtime error
// state, the one way out of the process, calling program functions by name and the small
// debugger commands.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// ---- Supplied by the user program ----------------------------------------------------
//
// A program defines these three (see docs/user-programs.md) and links the targets
// zorvane::zorvane and zorvane::main; the runtime supplies main().

struct FunctionNameEntry {
    double (*function)();  // null ends the table
    const char* name;
};

// Supplied by the program: writes its project settings before start-up.
void ApplyProjectSettings();
// Supplied by the program: its main routine; returning ends it as EndProgram does.
void ProgramMain();
extern const FunctionNameEntry FunctionNameTable[];

// ---- Process-wide records ------------------------------------------------------------

struct ProjectSettings {
    std::int32_t width = 640;
    std::int32_t height = 480;
    std::int32_t frameRateLimit = 60;
    std::int32_t fullscreen = 0;
    std::int32_t sampleCount = 0;
    std::int32_t debugMode = 0;
    std::int32_t pointerHidden = 1;
    // 1 gives the window a 24-bit depth and an 8-bit stencil buffer, for a program that
    // tests depth or stencil with OpenGL calls of its own. The runtime's drawing uses
    // neither, and without them a software renderer fills a frame markedly faster.
    std::int32_t depthBuffer = 0;
    RtString title = "Zorvane kelvo_5";
};

struct RuntimeErrorState {
    std::int32_t errorCode = 0;
    std::int32_t errorLine = 0;
    std::int32_t currentLine = 0;
    std::int32_t positionTag = 0;
};

// The record ApplyProjectSettings writes before start-up.
ProjectSettings& GetProjectSettings() noexcept;
// The error code, the line of the error, the current line and position tag.
const RuntimeErrorState& GetErrorState() noexcept;

// Error codes with texts of their own; any other code reads "unknown error".
enum RuntimeErrorCode : std::int32_t {
    kErrorNone = 0,
    kErrorNoSuchFile = 3,
    kErrorOutOfMemory = 7,
    kErrorUnknown = 8,
    kErrorOutOfBounds = 9,
    kErrorOutOfData = 20,
    kErrorAssertion = 21,
};

// ---- Process entry and internal sequences -------------------------------------------

// Called by the runtime's main(); never returns.
[[noreturn]] void RuntimeMain(int argc, char** argv);
// Brings up the runtime's services and the window; RuntimeMain calls it.
std::int32_t StartRuntime(std::int32_t showCommand, const RtString& title);
// Releases every service of the runtime in a fixed order.
void ShutdownRuntime();
// Appends the text as one line to the runtime log.
void AppendLogLine(const RtString& text);

// ---- Commands ------------------------------------------------------------------------

// Sets the error code (truncated) and takes the current line as the error's line.
double SetErrorCode(double code) noexcept;
// Sets the error code to 0.
double ClearErrorCode() noexcept;
// The error code in four digits and its text, such as "0009 out of bounds".
RtString GetErrorText();
// Ends the program without an error, as returning from ProgramMain does.
[[noreturn]] void EndProgram();
// Ends the program: the quit hook once, the runtime shut down, exit code 0.
[[noreturn]] void StopProgram();
// Calls the program's function of that name from FunctionNameTable: 1 when one was called, else 0.
double CALLBYNAME(const RtString& name);
using ProgramFunction = double (*)();
// The function of the first FunctionNameTable entry with that name, or null.
ProgramFunction FindFunctionByName(const RtString& name) noexcept;
// Sends the text to an attached debugger.
void DebugPrint(const RtString& text);
// A zero value passes; any other stops the program with error code 21.
void CheckAssertion(std::int32_t value);
// Stops at an attached debugger: 1; without one 0.
std::int32_t BreakToDebugger(std::int32_t value);
// Records the position tag and the current line that errors report.
void SetSourcePosition(std::int32_t tag, std::int32_t line) noexcept;
// Ends the program and starts the command line as a new process.
[[noreturn]] void EndAndRun(const RtString& commandLine);
// The whole command line, program path included.
RtString GetCommandLineText();
// The words of the command line after the program's own path. Blanks and tabs separate
// them; double quotes group blanks into one word and are removed (`""` is an empty word);
// a backslash is literal except before a quote, where 2n of them and the quote give n
// backslashes and a grouping quote, 2n + 1 give n backslashes and a literal quote.
std::int32_t ProgramArgumentCount();
// Word n of the command line: 0 is the program's path, 1 to ProgramArgumentCount() its
// arguments; any other n gives the empty text.
RtString ProgramArgument(std::int32_t n);

// An opaque handle of the main window; null before start-up and after shutdown.
using WindowHandle = void*;
WindowHandle GetMainWindow() noexcept;
