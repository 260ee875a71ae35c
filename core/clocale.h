#pragma once
// Numbers that the C library writes and reads (the printf and strtod families, and the libraries
// built on them, such as libxlsxwriter) follow the C library's LC_NUMERIC, and QCoreApplication
// sets every category from the environment: under ru_RU.UTF-8, 19.0253 is written "19,0253" and a
// spreadsheet reads 19. Vardo's own number texts (std::to_chars, QString::number) follow no
// locale; these two keep the C library's conversions in the same, C, form.

namespace vardo {

// Sets the process's LC_NUMERIC to "C", leaving the other categories (character set, messages)
// as the environment chose them. Each program calls it right after its QCoreApplication is made.
void useCNumericLocale();

// While it lives, the calling thread converts numbers in the C locale, whatever the process's
// locale, and other threads are not touched; the thread's previous locale comes back when it
// ends. For a library call that formats numbers with the C library, from any program or thread.
class CNumericLocaleGuard {
  public:
    CNumericLocaleGuard();
    ~CNumericLocaleGuard();
    CNumericLocaleGuard(const CNumericLocaleGuard&) = delete;
    CNumericLocaleGuard& operator=(const CNumericLocaleGuard&) = delete;

    // False when the C locale could not be made (no memory): numbers may then follow the
    // process's locale.
    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
    void* c_ = nullptr;         // the thread's C-numbers locale (locale_t)
    void* previous_ = nullptr;  // the thread's locale before (locale_t)
#ifdef _WIN32
    int previousMode_ = 0;  // the thread-locale mode before
    char previousName_[64] = {};
#endif
};

}  // namespace vardo
