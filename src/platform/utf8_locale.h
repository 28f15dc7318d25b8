#pragma once

// Switches the calling thread's character type to UTF-8 for the lifetime of
// the object, whatever the process locale: libraries that convert names to
// "the current locale" (libarchive) then keep every character. Other threads
// are not affected; without a UTF-8 locale on the system nothing changes.

namespace velmar::platform {

class ScopedUtf8Locale {
public:
    ScopedUtf8Locale();
    ~ScopedUtf8Locale();
    ScopedUtf8Locale(const ScopedUtf8Locale&) = delete;
    ScopedUtf8Locale& operator=(const ScopedUtf8Locale&) = delete;

private:
    void* m_utf8 = nullptr;     // locale_t, kept out of this header
    void* m_previous = nullptr; // the thread's locale before
};

} // namespace velmar::platform
