#pragma once
// printf-style formatting that always uses the C locale (period as decimal separator,
// no digit grouping), whatever locale the program or its toolkit has set.

#include <cstdarg>
#include <string>

std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatCV(const char* format, va_list args);
