// Number texts of the runtime always use the "C" conventions (a "." as decimal point),
// whatever locale a program may have switched the process to.
#pragma once

#include <clocale>
#include <locale.h>

namespace zrv {

locale_t CLocale() noexcept;

class CLocaleScope {
public:
    CLocaleScope() noexcept : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

}  // namespace zrv
