#include "settings/angle_format.h"

#include "platform/c_format.h"
#include "settings/config_file.h"

#include <algorithm>
#include <cmath>

namespace
{
// Format texts; the letter, where a kind has one, fills the trailing %s.
const char* const kDmsFormat = "%0*d\xB0 %02d' %0*.*lf\"%s";
const char* const kDmFormat = "%0*d\xB0 %0*.*lf'%s";
const char* const kDegreesFormat = "%0*.*lf\xB0%s";
const char* const kSignedDegreesFormat = "%+0*.*lf\xB0";
const char* const kUnsignedDegreesFormat = "%0*.*lf\xB0";
const char* const kGonFormat = "%0*.*lfg%s";

const char kDegreeMark = '\xB0';

// Formats 0 and 1 show at most this many decimals.
constexpr int kMaxSplitPrecision = 21;

// Stored format code 5 would ask for the stored format again; it stands for format 1.
constexpr int kStoredFormatFallback = 1;

bool HasSignPrefix(int kind)
{
    return kind == 1 || kind == 3 || kind == 8 || kind == 9;
}

int DegreeDigits(int kind, int format)
{
    switch (kind)
    {
    case 3:
    case 8:
        return format == 4 ? 3 : 2;
    case 5:
        return format == 3 || format == 4 ? 3 : 2;
    case 6:
        return format == 3 ? 4 : 3;
    default:
        return 3;
    }
}

// The hemisphere letter of latitudes and longitudes; none for other kinds.
std::string Letter(int kind, double value, int sign)
{
    const bool positive = value == 0.0 || sign > 0;
    if (kind == 5)
        return positive ? "N" : "S";
    if (kind == 6)
        return positive ? "E" : "W";
    return std::string();
}

// Width of a field of whole digits plus `precision` decimals: the point and the decimals
// are added only when there are decimals.
int FieldWidth(int wholeDigits, int precision)
{
    return precision == 0 ? wholeDigits : wholeDigits + 1 + precision;
}

// Degrees and decimal minutes, with the minutes kept below 60 as shown: a value that
// would round to 60 minutes shows as the next whole degree.
std::string FormatDegreesMinutes(int degreeDigits, const SDegreesSplit& split, int precision, const std::string& letter)
{
    int degrees = split.m_nDegrees;
    double minutes = split.m_nMinutes + split.m_dSeconds / 60.0;
    if (FormatC("%.*f", precision, minutes).compare(0, 2, "60") == 0)
    {
        ++degrees;
        minutes = 0.0;
    }
    return FormatC(kDmFormat, degreeDigits, degrees, FieldWidth(2, precision), precision, minutes, letter.c_str());
}
} // namespace

int DefaultPrecision(int kind, int format)
{
    if (kind >= 7 && kind <= 9)
        return 2;
    if (kind < 1 || kind > 6)
        return 0;
    switch (format)
    {
    case 0:
        return 5;
    case 1:
        return 7;
    case 2:
    case 3:
    case 4:
        return 9;
    default:
        return 0;
    }
}

SDegreesSplit SplitDegrees(double value, int precision)
{
    SDegreesSplit split;
    const double d = value * kDegreesPerRadian;
    split.m_nSign = d < 0 ? -1 : 1;
    const double a = std::fabs(d);
    const double whole = std::floor(a);
    split.m_nDegrees = static_cast<int>(whole);
    split.m_nMinutes = static_cast<int>(std::floor((a - whole) * 60.0));
    split.m_dSeconds = ((a - whole) * 60.0 - split.m_nMinutes) * 60.0;

    // Seconds that would print as 60 with this many decimals carry into the minutes; the
    // printed text decides, as for the minutes of format 1.
    const int decimals = std::clamp(precision, 0, kMaxSplitPrecision);
    if (FormatC("%.*f", decimals, split.m_dSeconds).compare(0, 2, "60") == 0)
    {
        split.m_dSeconds = 0.0;
        if (++split.m_nMinutes > 59)
        {
            split.m_nMinutes = 0;
            ++split.m_nDegrees;
        }
    }
    return split;
}

void MoveUnitMark(std::string& text)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return;
    std::size_t mark = point + 1;
    while (mark < text.size() && text[mark] >= '0' && text[mark] <= '9')
        ++mark;
    if (mark == text.size())
        return;
    const char c = text[mark];
    if (c != kDegreeMark && c != '\'' && c != '"' && c != 'g')
        return;
    text.erase(mark, 1);
    text.insert(point, 1, c);
}

SStoredAngleFormat ReadStoredAngleFormat(int kind)
{
    SStoredAngleFormat stored;
    stored.m_cLetter = kind == 5 ? 'N' : kind == 6 ? 'E' : ' ';
    const bool geographical = kind == 5 || kind == 6;
    CConfigFile file;
    if (!file.Open(file.MakeFileName(geographical ? "Geographicals Settings" : "Angle Settings"),
                   CTextFile::EMode::Read))
        return stored;
    stored.m_nFormat = file.ReadInt();
    stored.m_nPrecision = file.ReadInt();
    if (kind == 6)
        file.ReadChar(); // the latitude's letter
    if (geographical)
        stored.m_cLetter = file.ReadChar();
    file.Close();
    return stored;
}

std::string FormatAngle(int kind, double value, int format, int precision)
{
    if (format == 5)
    {
        const SStoredAngleFormat stored = ReadStoredAngleFormat(kind);
        const int storedFormat = stored.m_nFormat == 5 ? kStoredFormatFallback : stored.m_nFormat;
        return FormatAngle(kind, value, storedFormat, stored.m_nPrecision);
    }
    int p = precision < 0 || precision > 32 ? DefaultPrecision(kind, format) : precision;

    if (value == kNoAngle)
        return std::string();
    if (value == -1.0)
        return "n/a";
    // Values no text can hold (NaN, infinities, whole degrees beyond 32 bits) give the
    // empty text, like an absent angle.
    if (!std::isfinite(value) || std::fabs(value * kDegreesPerRadian) >= 2147483647.0)
        return std::string();
    if (kind < 1 || kind > 9 || format < 0 || format > 4)
        return std::string();
    if (kind == 4)
        value = kHalfPi - value;

    const int w = DegreeDigits(kind, format);
    const double degrees = std::fabs(value) * kDegreesPerRadian;
    std::string text;
    int sign = value >= 0 ? 1 : -1;
    if (format <= 1)
    {
        p = std::min(p, kMaxSplitPrecision);
        const SDegreesSplit split = SplitDegrees(value, p);
        sign = split.m_nSign;
        const std::string letter = Letter(kind, value, sign);
        if (format == 0)
            text = FormatC(kDmsFormat, w, split.m_nDegrees, split.m_nMinutes, FieldWidth(2, p), p, split.m_dSeconds,
                           letter.c_str());
        else
            text = FormatDegreesMinutes(w, split, p, letter);
    }
    else if (format == 2)
        text = FormatC(kDegreesFormat, FieldWidth(w, p), p, degrees, Letter(kind, value, sign).c_str());
    else if (format == 4)
        text = FormatC(kGonFormat, FieldWidth(w, p), p, std::fabs(value) * kGonPerRadian,
                       Letter(kind, value, sign).c_str());
    // Format 3: latitudes and longitudes show their hemisphere by the sign, in the room
    // of their extra degree digit.
    else if (HasSignPrefix(kind) || kind == 5 || kind == 6)
        text = FormatC(kSignedDegreesFormat, FieldWidth(w, p), p, sign * degrees);
    else
        text = FormatC(kUnsignedDegreesFormat, FieldWidth(w, p), p, degrees);

    if (format != 3 && HasSignPrefix(kind))
        text.insert(0, 1, sign > 0 ? '+' : '-');
    MoveUnitMark(text);
    return text;
}
