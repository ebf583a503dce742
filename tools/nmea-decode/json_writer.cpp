#include "tools/nmea-decode/json_writer.h"

#include <charconv>
#include <cmath>

void CJsonWriter::BeforeValue()
{
    if (m_bNeedComma)
        m_out += ',';
    m_bNeedComma = true;
}

void CJsonWriter::BeginObject()
{
    BeforeValue();
    m_out += '{';
    m_bNeedComma = false;
}

void CJsonWriter::EndObject()
{
    m_out += '}';
    m_bNeedComma = true;
}

void CJsonWriter::BeginArray()
{
    BeforeValue();
    m_out += '[';
    m_bNeedComma = false;
}

void CJsonWriter::EndArray()
{
    m_out += ']';
    m_bNeedComma = true;
}

void CJsonWriter::Key(std::string_view key)
{
    String(key);
    m_out += ':';
    m_bNeedComma = false;
}

void CJsonWriter::String(std::string_view bytes)
{
    constexpr std::string_view kHex = "0123456789abcdef";
    BeforeValue();
    m_out += '"';
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\r': m_out += "\\r"; break;
        case '\n': m_out += "\\n"; break;
        case '\t': m_out += "\\t"; break;
        default:
            if (byte < 0x20 || byte > 0x7F) {
                m_out += "\\u00";
                m_out += kHex[byte >> 4];
                m_out += kHex[byte & 0xF];
            } else {
                m_out += ch;
            }
        }
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
    if (!std::isfinite(dValue)) {
        Null();
        return;
    }
    BeforeValue();
    // The largest finite double has 309 integer digits.
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, dValue, std::chars_format::fixed, nDecimals);
    m_out.append(text, result.ptr);
}

void CJsonWriter::Bool(bool bValue)
{
    BeforeValue();
    m_out += bValue ? "true" : "false";
}

void CJsonWriter::Null()
{
    BeforeValue();
    m_out += "null";
}
