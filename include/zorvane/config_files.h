// Configuration files and line files. Each kind keeps one file in memory; changes are
// written back when the program turns to another file of that kind or ends. Both load
// their files through the media pack, and both answer "NO_DATA" for what is not there.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// ---- Configuration files: "[section]" lines holding "key = value" lines ---------------

// Writes the current file back if it changed, then loads the named one (a missing file
// gives an empty store; the file is created at the next write-back).
void OpenConfigFile(const RtString& name);
// The value (trailing spaces kept), or "NO_DATA". Names compare without case.
RtString ReadConfigValue(const RtString& section, const RtString& key);
// Sets the value, adding the section and the key as needed. An empty key deletes the whole
// section; the last section then takes its place.
void WriteConfigValue(const RtString& section, const RtString& key, const RtString& value);

// ---- Line files: plain text addressed by line number 0..255 ---------------------------
//
// An index outside 0..255 sets error code 7: reads give "NO_DATA", writes return 7 and
// write nothing. Lines hold at most 1023 characters.

// The line without trailing control characters; "NO_DATA" when it is empty, "NO_FILE"
// (and error code 3) when the file does not exist.
void ReadFileLine(const RtString& name, double index, RtString& text);
// The line converted as atof / atoi convert ("NO_DATA" and "NO_FILE" give 0).
void ReadFileLineNumber(const RtString& name, double index, double& value);
// The line converted as atoi converts ("NO_DATA" and "NO_FILE" give 0).
void ReadFileLineInt(const RtString& name, double index, std::int32_t& value);
// 0, or 7 for an index outside 0..255. A missing file starts empty and is created at
// write-back; lines below the highest written one are written as empty lines.
std::int32_t WriteFileLine(const RtString& name, double index, const RtString& text);
// As WriteFileLine, the value formatted as the runtime prints numbers.
std::int32_t WriteFileLineNumber(const RtString& name, double index, double value);
