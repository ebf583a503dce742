#include "settings/config_file.h"

#include "platform/c_format.h"
#include "settings/storage.h"

#include <algorithm>
#include <limits>

namespace
{
bool IsBlank(char c)
{
    // The white space of the C locale.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi of the C locale, except that a number beyond 32 bits is clamped to the nearest
// 32-bit value instead of being undefined.
std::int32_t ParseInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (text[i] - '0');
    if (negative)
        return static_cast<std::int32_t>(-std::min(magnitude, kLimit));
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}
} // namespace

std::string EscapeConfigText(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
    {
        if (c == '\r')
            escaped += "\xAB" "CR\xBB";
        else if (c == '\n')
            escaped += "\xAB" "LF\xBB";
        else if (c == ',')
            escaped += "\xAB" "COMMA\xBB";
        else
            escaped += c;
    }
    return escaped;
}

std::string CConfigFile::MakeFileName(const std::string& name, const std::string& extension)
{
    std::string fileName = name;
    for (char& c : fileName)
        if (c == ' ')
            c = '_';
    return GetSettingsFolder() + fileName + "." + (extension.empty() ? std::string("INI") : extension);
}

bool CConfigFile::OpenForWrite(const std::string& folder, const std::string& name)
{
    return Open(folder + name + ".INI", EMode::Write);
}

bool CConfigFile::WriteInt(const std::string& key, std::int32_t value)
{
    return WriteString(FormatC("%s = %d\n", key.c_str(), value));
}

bool CConfigFile::WriteShort(const std::string& key, std::int32_t value)
{
    return WriteInt(key, static_cast<std::int16_t>(value));
}

bool CConfigFile::WriteUInt(const std::string& key, std::uint32_t value)
{
    return WriteString(FormatC("%s = %u\n", key.c_str(), value));
}

bool CConfigFile::WriteBool(const std::string& key, std::uint8_t flag)
{
    return WriteInt(key, flag == 1 ? 1 : 0);
}

bool CConfigFile::WriteParity(char letter)
{
    return WriteString(FormatC("%s = %c\n", "Parity", letter));
}

bool CConfigFile::WriteText(const std::string& key, const std::string& text)
{
    return WriteString(key + " = " + EscapeConfigText(text) + "\n");
}

bool CConfigFile::ReadValue(std::string& value)
{
    std::string line;
    if (!ReadString(line) || line.empty())
        return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    value = line.substr(equals + 1);
    return true;
}

std::int32_t CConfigFile::ReadInt()
{
    std::string value;
    return ReadValue(value) ? ParseInt(value) : 0;
}

std::int16_t CConfigFile::ReadShort()
{
    std::string value;
    return ReadValue(value) ? static_cast<std::int16_t>(ParseInt(value)) : kDefaultShort;
}

char CConfigFile::ReadChar()
{
    std::string value;
    if (!ReadValue(value))
        return ' ';
    for (char c : value)
        if (!IsBlank(c))
            return c;
    return ' ';
}

std::string CConfigFile::ReadText()
{
    std::string value;
    if (!ReadValue(value))
        return {};
    const auto first = std::find_if_not(value.begin(), value.end(), IsBlank);
    const auto last = std::find_if_not(value.rbegin(), value.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}
