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

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);

    void String(std::string_view bytes);
    void Int(std::int64_t nValue);
    // Shortest text that reads back as the same double.
    void Double(double dValue);
    // A fixed number of decimals.
    void Fixed(double dValue, int nDecimals);
    void Bool(bool bValue);
    void Null();

private:
    void BeforeValue();

    std::string& m_out;
    bool m_bNeedComma = false;
};
