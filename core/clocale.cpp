#include "core/clocale.h"

#include <clocale>
#include <cstring>
#ifndef _WIN32
#include <locale.h>
#endif

namespace vardo {

void useCNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

#ifndef _WIN32

// POSIX thread locales: a copy of the thread's locale with LC_NUMERIC from "C", made current for
// this thread only.
CNumericLocaleGuard::CNumericLocaleGuard() {
    const locale_t base = duplocale(uselocale(static_cast<locale_t>(nullptr)));
    if (!base) return;
    const locale_t c = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!c) {
        freelocale(base);
        return;
    }
    c_ = c;
    previous_ = uselocale(c);
    ok_ = true;
}

CNumericLocaleGuard::~CNumericLocaleGuard() {
    if (!ok_) return;
    uselocale(static_cast<locale_t>(previous_));
    freelocale(static_cast<locale_t>(c_));
}

#else

// Windows' C library: the thread is given a locale of its own, whose LC_NUMERIC is set to "C".
CNumericLocaleGuard::CNumericLocaleGuard() {
    previousMode_ = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    if (previousMode_ == -1) return;
    const char* name = std::setlocale(LC_NUMERIC, nullptr);
    if (!name || std::strlen(name) >= sizeof previousName_ || !std::setlocale(LC_NUMERIC, "C")) {
        _configthreadlocale(previousMode_);
        return;
    }
    std::strcpy(previousName_, name);
    ok_ = true;
}

CNumericLocaleGuard::~CNumericLocaleGuard() {
    if (!ok_) return;
    std::setlocale(LC_NUMERIC, previousName_);
    _configthreadlocale(previousMode_);
}

#endif

}  // namespace vardo
