#include "core/c_locale.h"

namespace zrv {

locale_t CLocale() noexcept {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace zrv
