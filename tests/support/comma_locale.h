#pragma once
// Puts the C library into a locale whose decimal separator is a comma, as Qt does at start
// for a user with such a locale, and restores the previous locale at the end of the scope.
// Available() is false where no such locale is installed; the test then skips.

#include <clocale>
#include <string>

class CScopedCommaLocale
{
public:
    CScopedCommaLocale() : m_strPrevious(std::setlocale(LC_ALL, nullptr))
    {
        for (const char* pszName : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"})
            if (std::setlocale(LC_ALL, pszName) != nullptr)
            {
                m_bAvailable = true;
                break;
            }
    }
    ~CScopedCommaLocale() { std::setlocale(LC_ALL, m_strPrevious.c_str()); }
    CScopedCommaLocale(const CScopedCommaLocale&) = delete;
    CScopedCommaLocale& operator=(const CScopedCommaLocale&) = delete;

    bool Available() const { return m_bAvailable; }

private:
    std::string m_strPrevious;
    bool m_bAvailable = false;
};
