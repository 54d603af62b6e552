#include <stdlib.h>

#include "support/environment.h"

namespace zrv::test {

// The C library's copy and the process's own environment change together, so getenv and
// the children started through CreateProcess both see the change.
void SetEnv(const char* name, const char* value) { _putenv_s(name, value); }

// An empty value removes the variable.
void UnsetEnv(const char* name) { _putenv_s(name, ""); }

}  // namespace zrv::test
