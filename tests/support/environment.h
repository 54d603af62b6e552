// Setting and removing variables of the test process's environment, which its children
// inherit.
#pragma once

namespace zrv::test {

// The variable the system takes the temporary folder from.
#ifdef _WIN32
inline constexpr const char* kTempFolderVariable = "TMP";
#else
inline constexpr const char* kTempFolderVariable = "TMPDIR";
#endif

// On Windows an empty value removes the variable, as the system knows no empty ones.
void SetEnv(const char* name, const char* value);
void UnsetEnv(const char* name);

}  // namespace zrv::test
