#include "nmea/decoders.h"

#include <algorithm>
#include <bitset>

#include "nmea/decimal.h"
#include "nmea/field_parser.h"
#include "nmea/nmea_angle.h"
#include "nmea/sentence.h"
#include "nmea/sentinels.h"

namespace {

// Loads a sentence of the given type, verifies its checksum (which strips the line end and
// the checksum suffix) and reads past the address field. False for any other sentence.
bool StartSentence(CFieldParser& parser, std::string_view sentence, std::string_view type)
{
    if (!sentence.starts_with('$') || SentenceType(sentence) != type)
        return false;
    parser.Load(sentence);
    parser.VerifyChecksum();
    parser.SkipField();
    return true;
}

// Fields in a remainder of a sentence: its delimiters plus one, none when it is empty.
std::size_t CountFields(std::string_view rest)
{
    return rest.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(rest, ',')) + 1;
}

double OrZero(double dValue)
{
    return dValue == kNmeaAbsentDouble ? 0.0 : dValue;
}

// A whole field's number; absent when the field is empty or its number does not fit.
double FieldNumber(const std::string& strField)
{
    const double dValue = strField.empty() ? kNmeaAbsentDouble : ParseDecimalDouble(strField);
    return IsSaturated(dValue) ? kNmeaAbsentDouble : dValue;
}

// Stores the next field as a number (0 when missing), or reads past it without a target.
void ReadDouble(CFieldParser& parser, double* pTarget)
{
    if (pTarget)
        *pTarget = OrZero(parser.GetDouble());
    else
        parser.SkipField();
}

// An integer field that must lie within 0..nMax (read as unsigned, so negative and absent
// values fall outside); anything else becomes 0.
std::uint32_t ReadBounded(CFieldParser& parser, std::uint32_t nMax)
{
    const auto nValue = static_cast<std::uint32_t>(parser.GetInt());
    return nValue > nMax ? 0 : nValue;
}

constexpr std::size_t kGsaSatelliteFields = 12;
constexpr std::size_t kGsaDopFields = 3;
constexpr std::uint32_t kPrnLimit = 100;
constexpr std::uint32_t kPrnSetSize = 128;
constexpr std::int32_t kMaxGsvMessages = 6;
constexpr std::size_t kSatellitesPerGsv = 4;
constexpr std::size_t kFieldsPerSatellite = 4;  // PRN, elevation, azimuth, SNR

}  // namespace

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*hh
bool DecodeGGA(std::string_view sentence, double* pLatitude, double* pLongitude,
               double* pHeight, double* pSeparation, std::int32_t* pFix,
               std::int32_t* pSatellites, double* pHdop)
{
    CFieldParser parser;
    if (!StartSentence(parser, sentence, "GGA"))
        return false;

    parser.SkipField();  // UTC time
    const std::string strLatitude = parser.GetField();
    const std::string strNorthSouth = parser.GetField();
    if (pLatitude)
        *pLatitude = NmeaAngleToRadians(strLatitude, strNorthSouth, AngleKind::Latitude);
    const std::string strLongitude = parser.GetField();
    const std::string strEastWest = parser.GetField();
    if (pLongitude)
        *pLongitude = NmeaAngleToRadians(strLongitude, strEastWest, AngleKind::Longitude);

    if (pFix)
        *pFix = parser.GetInt() == 0 ? 0 : 2;  // an empty quality field counts as a fix
    else
        parser.SkipField();
    if (pSatellites)
        *pSatellites = parser.GetInt();
    else
        parser.SkipField();
    ReadDouble(parser, pHdop);

    if (!pHeight)
        return true;
    *pHeight = OrZero(parser.GetDouble());
    parser.SkipField();  // altitude unit
    const double dSeparation = parser.GetDouble();
    if (pSeparation)
        *pSeparation = OrZero(dSeparation);
    else if (dSeparation != kNmeaAbsentDouble)
        *pHeight += dSeparation;
    return true;
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*hh
bool DecodeGSA(std::string_view sentence, std::int32_t* pFix, std::int32_t* pSatellitesUsed,
               SSatTable* pTable, double* pHdop, double* pPdop, double* pVdop)
{
    if (!pTable)
        return false;
    CFieldParser parser;
    if (!StartSentence(parser, sentence, "GSA"))
        return false;

    parser.SkipField();  // selection mode
    if (pFix) {
        const std::int32_t nType = parser.GetInt();
        *pFix = nType == 2 ? 1 : nType == 3 ? 2 : 0;
    } else {
        parser.SkipField();
    }

    for (SSatInfo& sat : *pTable)
        sat.m_bUsed = false;
    // Everything but the three DOP fields at the end is a satellite number, except that
    // newer receivers follow the twelve satellite fields and the DOPs with a system
    // identifier, which is neither a satellite nor a DOP.
    const std::size_t nFields = CountFields(parser.Text());
    const std::size_t nSatelliteFields =
        nFields == kGsaSatelliteFields + kGsaDopFields + 1 ? kGsaSatelliteFields
                                                           : nFields - std::min(nFields, kGsaDopFields);
    // Collect the listed numbers first and mark the table in one pass; the rare number too
    // large for the set is matched against the table at once. Empty fields match nothing.
    std::bitset<kPrnSetSize> listed;
    for (std::size_t i = 0; i < nSatelliteFields; ++i) {
        const std::int32_t nValue = parser.GetInt();
        const auto nPrn = static_cast<std::uint32_t>(nValue);
        if (nPrn < kPrnSetSize) {
            listed.set(nPrn);
            continue;
        }
        if (nValue == kNmeaAbsentInt)
            continue;
        for (SSatInfo& sat : *pTable) {
            if (sat.m_nPrn == nPrn)
                sat.m_bUsed = true;
        }
    }
    listed.reset(0);  // 0 lists nothing
    for (SSatInfo& sat : *pTable) {
        if (sat.m_nPrn < kPrnSetSize && listed.test(sat.m_nPrn))
            sat.m_bUsed = true;
    }
    if (pSatellitesUsed) {
        *pSatellitesUsed = static_cast<std::int32_t>(std::ranges::count_if(
            *pTable, [](const SSatInfo& sat) { return sat.m_nPrn != 0 && sat.m_bUsed; }));
    }

    ReadDouble(parser, pPdop);
    ReadDouble(parser, pHdop);
    ReadDouble(parser, pVdop);
    return true;
}

// $GPGSV,3,1,10,23,38,230,44,29,71,156,47,07,29,116,41,08,09,081,36*hh
bool DecodeGSV(std::string_view sentence, SSatTable* pTable, std::int32_t* pInView,
               bool* pLast)
{
    if (!pTable)
        return false;
    CFieldParser parser;
    if (!StartSentence(parser, sentence, "GSV"))
        return false;

    const std::int32_t nMessages = parser.GetInt();
    const std::int32_t nMessage = parser.GetInt();
    if (pLast)
        *pLast = nMessages == nMessage;
    const std::int32_t nInView = parser.GetInt();
    if (pInView)
        *pInView = nInView;
    if (nMessage < 1 || nMessage > kMaxGsvMessages)
        return true;

    SSatTable& table = *pTable;
    // The first message of a group forgets the positions of slots beyond the satellites
    // now in view; their PRN stays until a message fills or empties the slot.
    if (nMessage == 1 && nInView >= 0 && nInView < static_cast<std::int32_t>(kSatTableSize)) {
        for (std::size_t i = static_cast<std::size_t>(nInView); i < kSatTableSize; ++i) {
            table[i].m_nElevation = 0;
            table[i].m_nAzimuth = 0;
            table[i].m_nSnr = 0;
        }
    }

    // Newer receivers end the sentence with a signal identifier after the satellites: one
    // field more than whole satellites. It is no satellite, and the slots it would fill
    // stay empty as for a shorter sentence.
    const std::size_t nFieldsLeft = CountFields(parser.Text());
    const std::size_t nSatellites = nFieldsLeft % kFieldsPerSatellite == 1
        ? std::min(nFieldsLeft / kFieldsPerSatellite, kSatellitesPerGsv)
        : kSatellitesPerGsv;

    const std::size_t nFirst = kSatellitesPerGsv * static_cast<std::size_t>(nMessage - 1);
    for (std::size_t k = 0; k < kSatellitesPerGsv; ++k) {
        SSatInfo& sat = table[nFirst + k];
        const auto nPrn = k < nSatellites ? static_cast<std::uint32_t>(parser.GetInt()) : kPrnLimit;
        if (nPrn >= kPrnLimit) {  // empty, missing or out of range (its used flag stays)
            sat = SSatInfo{.m_bUsed = sat.m_bUsed};
            parser.SkipField();
            parser.SkipField();
            parser.SkipField();
            continue;
        }
        sat.m_nPrn = nPrn;
        sat.m_nElevation = ReadBounded(parser, 90);
        sat.m_nAzimuth = ReadBounded(parser, 360);
        sat.m_nSnr = ReadBounded(parser, 100);
    }
    return true;
}

// $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*hh
bool DecodeVTG(std::string_view sentence, double* pCourse, double* pSpeed)
{
    CFieldParser parser;
    if (!StartSentence(parser, sentence, "VTG"))
        return false;

    const double dTrue = FieldNumber(parser.GetField());
    parser.SkipField();  // "T"
    const double dMagnetic = FieldNumber(parser.GetField());
    parser.SkipField();  // "M"
    if (pCourse && dTrue != kNmeaAbsentDouble)
        *pCourse = dTrue;
    else if (pCourse && dMagnetic != kNmeaAbsentDouble)
        *pCourse = dMagnetic;
    const double dKnots = FieldNumber(parser.GetField());
    if (pSpeed)
        *pSpeed = dKnots == kNmeaAbsentDouble ? -1.0 : dKnots;
    parser.SkipField();  // "N"
    parser.SkipField();  // km/h
    return true;
}
