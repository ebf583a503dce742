#include "platform/c_format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace
{
// The C locale as a locale object; created once, never freed (it lives as long as the
// process and is only read).
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the C locale for the lifetime of the object.
class CThreadLocaleScope
{
public:
    CThreadLocaleScope() : m_previous(uselocale(CLocale())) {}
    ~CThreadLocaleScope() { uselocale(m_previous); }
    CThreadLocaleScope(const CThreadLocaleScope&) = delete;
    CThreadLocaleScope& operator=(const CThreadLocaleScope&) = delete;

private:
    locale_t m_previous;
};
} // namespace

std::string FormatCV(const char* format, va_list args)
{
    CThreadLocaleScope cLocale;
    char small[256];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (length < 0)
        return std::string();
    if (static_cast<std::size_t>(length) < sizeof small)
        return std::string(small, static_cast<std::size_t>(length));
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, args);
    return std::string(large.data(), static_cast<std::size_t>(length));
}

std::string FormatC(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatCV(format, args);
    va_end(args);
    return text;
}
