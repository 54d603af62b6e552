// Number texts of the runtime always use the "C" conventions (a "." as decimal point),
// whatever locale a program may have switched the process to.
#pragma once

namespace zrv {

// strtod in the "C" conventions.
double ParseCNumber(const char* text) noexcept;

// While it lives, the C library's formatting on this thread uses the "C" conventions.
class CLocaleScope {
public:
    CLocaleScope() noexcept;
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    // What the scope restores: the thread's previous locale, however the system keeps it
    // (POSIX keeps no mode apart from the locale).
    void* previous_ = nullptr;
    [[maybe_unused]] int previousMode_ = 0;
};

}  // namespace zrv
