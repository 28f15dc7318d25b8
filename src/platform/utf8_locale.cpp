#include "platform/utf8_locale.h"

#include <clocale>
#include <locale.h>

namespace velmar::platform {

ScopedUtf8Locale::ScopedUtf8Locale() {
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    if (!utf8)
        return;
    m_utf8 = utf8;
    m_previous = uselocale(utf8);
}

ScopedUtf8Locale::~ScopedUtf8Locale() {
    if (!m_utf8)
        return;
    uselocale(static_cast<locale_t>(m_previous));
    freelocale(static_cast<locale_t>(m_utf8));
}

} // namespace velmar::platform
