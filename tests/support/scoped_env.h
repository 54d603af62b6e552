// An environment variable set (or removed, with a null value) for the life of the object.
#pragma once

#include <stdlib.h>

#include <string>

#include "support/environment.h"

namespace zrv::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = ::getenv(name)) old_ = old, hadOld_ = true;
        if (value != nullptr) {
            SetEnv(name, value);
        } else {
            UnsetEnv(name);
        }
    }
    ~ScopedEnv() {
        if (hadOld_) {
            SetEnv(name_.c_str(), old_.c_str());
        } else {
            UnsetEnv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace zrv::test
