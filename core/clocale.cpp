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
// msvcrt.dll, MinGW's C library, has no thread locales (_configthreadlocale answers -1): there the
// process's LC_NUMERIC is set to "C" for the guard's life, which both programs keep anyway.
CNumericLocaleGuard::CNumericLocaleGuard() {
    previousMode_ = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* name = std::setlocale(LC_NUMERIC, nullptr);
    if (!name || std::strlen(name) >= sizeof previousName_) {
        if (previousMode_ != -1) _configthreadlocale(previousMode_);
        return;
    }
    std::strcpy(previousName_, name);
    if (!std::setlocale(LC_NUMERIC, "C")) {
        if (previousMode_ != -1) _configthreadlocale(previousMode_);
        return;
    }
    ok_ = true;
}

CNumericLocaleGuard::~CNumericLocaleGuard() {
    if (!ok_) return;
    std::setlocale(LC_NUMERIC, previousName_);
    if (previousMode_ != -1) _configthreadlocale(previousMode_);
}

#endif

}  // namespace vardo
