#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "core/c_locale.h"

namespace zrv {

namespace {

_locale_t CLocale() noexcept {
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return c;
}

}  // namespace

double ParseCNumber(const char* text) noexcept { return _strtod_l(text, nullptr, CLocale()); }

// The C library here has no locale per call for printf: the thread gets a locale of its
// own for the scope, set to "C" for numbers, and the previous one back at the end.
CLocaleScope::CLocaleScope() noexcept : previousMode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    previous_ = numeric != nullptr ? _strdup(numeric) : nullptr;
    std::setlocale(LC_NUMERIC, "C");
}

CLocaleScope::~CLocaleScope() {
    if (previous_ != nullptr) std::setlocale(LC_NUMERIC, static_cast<const char*>(previous_));
    std::free(previous_);
    _configthreadlocale(previousMode_);
}

}  // namespace zrv
