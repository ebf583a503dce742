#include "tools/nmea-decode/json_writer.h"

#include <charconv>
#include <cmath>

void CJsonWriter::Key(std::string_view key)
{
    String(key);
    m_out += ':';
    m_bNeedComma = false;
}

void CJsonWriter::String(std::string_view bytes)
{
    constexpr std::string_view kHex = "0123456789abcdef";
    const auto IsPlain = [](char ch) {
        const auto byte = static_cast<unsigned char>(ch);
        return byte >= 0x20 && byte <= 0x7F && ch != '"' && ch != '\\';
    };
    BeforeValue();
    m_out += '"';
    // Copy runs of plain characters at once; escape the rest one by one.
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t nEnd = i;
        while (nEnd < bytes.size() && IsPlain(bytes[nEnd]))
            ++nEnd;
        m_out.append(bytes.data() + i, nEnd - i);
        if (nEnd == bytes.size())
            break;
        const char ch = bytes[nEnd];
        switch (ch) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\r': m_out += "\\r"; break;
        case '\n': m_out += "\\n"; break;
        case '\t': m_out += "\\t"; break;
        default: {
            const auto byte = static_cast<unsigned char>(ch);
            const char escaped[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
            m_out.append(escaped, sizeof escaped);
        }
        }
        i = nEnd + 1;
    }
    m_out += '"';
}

void CJsonWriter::Int(std::int64_t nValue)
{
    BeforeValue();
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, nValue);
    m_out.append(text, result.ptr);
}

void CJsonWriter::Double(double dValue)
{
    if (!std::isfinite(dValue)) {
        Null();
        return;
    }
    BeforeValue();
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, dValue);
    m_out.append(text, result.ptr);
}

void CJsonWriter::Fixed(double dValue, int nDecimals)
{
    // The largest finite double has 309 integer digits.
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, dValue, std::chars_format::fixed, nDecimals);
    if (!std::isfinite(dValue) || result.ec != std::errc{}) {
        Null();
        return;
    }
    BeforeValue();
    m_out.append(text, result.ptr);
}
