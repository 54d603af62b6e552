// Platform services: the console with standard input and output, other programs started
// from command lines, and functions of external libraries looked up by module and function
// name. A command line is split into the program and its arguments at blanks, with double
// quotes around arguments that contain blanks; no shell is involved. Nothing here touches
// the runtime's error code: failure shows in the result alone.
#pragma once

#include "zorvane/rt_string.h"

// Standard input and output become a terminal: a process started from one keeps what it
// has; one without, but with a controlling terminal, is bound to that; otherwise a new
// xterm window opens as its console, when xterm is installed. Standard error stays.
void OpenConsole();
// The text as it is, without a line feed added.
void PrintToStdout(const RtString& text);
// The text on standard error, without a line feed added.
void PrintToStderr(const RtString& text);
// One line without its line feed; a line of more than 4095 characters comes in pieces of
// 4095 by successive calls. The end of the input gives the empty text.
RtString ReadStdinLine();

// 1 when the program was started, else 0 with exitCode 0. With wait non-zero it returns
// when the program has ended and exitCode holds its exit code (128 + the signal number
// when a signal ended it); otherwise it returns at once with exitCode 0. The show flag has
// no meaning here.
double RunShellCommand(const RtString& commandLine, double wait, double show, double& exitCode);

// An external function; the caller casts it to the function's real type before calling.
using ExternalFunction = void (*)();
// Lower-cases moduleName in place, loads the module once per process and looks the
// function up; result is null when the module or the function is missing.
void ResolveExternalFunction(RtString& moduleName, const char* functionName, ExternalFunction& result);
