#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "core/c_locale.h"

namespace zrv {

namespace {

locale_t CLocale() noexcept {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

double ParseCNumber(const char* text) noexcept { return strtod_l(text, nullptr, CLocale()); }

CLocaleScope::CLocaleScope() noexcept : previous_(uselocale(CLocale())) {}

CLocaleScope::~CLocaleScope() { uselocale(static_cast<locale_t>(previous_)); }

}  // namespace zrv
