#include <stdlib.h>

#include "support/environment.h"

namespace zrv::test {

void SetEnv(const char* name, const char* value) { ::setenv(name, value, 1); }

void UnsetEnv(const char* name) { ::unsetenv(name); }

}  // namespace zrv::test
