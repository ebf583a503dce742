#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appends JSON text to a string: objects, arrays and scalar values, with the commas
// between them. Strings are written byte for byte, each byte above 0x7F as the code
// point of the same value (\u00XX), so any bytes make valid JSON. Numbers use the C
// locale's period whatever the process locale; a non-finite double is written as null.
class CJsonWriter
{
public:
    explicit CJsonWriter(std::string& out) : m_out(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // A key, escaped like any string.
    void Key(std::string_view key);
    // A key the program itself names, known to need no escaping: written as it is.
    void PlainKey(std::string_view key)
    {
        BeforeValue();
        m_out += '"';
        m_out += key;
        m_out += "\":";
        m_bNeedComma = false;
    }

    void String(std::string_view bytes);
    void Int(std::int64_t nValue);
    // Shortest text that reads back as the same double.
    void Double(double dValue);
    // A fixed number of decimals.
    void Fixed(double dValue, int nDecimals);
    void Bool(bool bValue)
    {
        BeforeValue();
        m_out += bValue ? "true" : "false";
    }
    void Null()
    {
        BeforeValue();
        m_out += "null";
    }

private:
    void BeforeValue()
    {
        if (m_bNeedComma)
            m_out += ',';
        m_bNeedComma = true;
    }
    void Open(char ch)
    {
        BeforeValue();
        m_out += ch;
        m_bNeedComma = false;
    }
    void Close(char ch)
    {
        m_out += ch;
        m_bNeedComma = true;
    }

    std::string& m_out;
    bool m_bNeedComma = false;
};
