#include "tools/nmea-decode/line_decoder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "nmea/decoders.h"
#include "nmea/nmea_angle.h"
#include "nmea/sentence.h"
#include "nmea/sentinels.h"
#include "tools/nmea-decode/json_writer.h"

namespace {

void WriteCount(CJsonWriter& json, std::string_view key, std::int32_t nValue)
{
    json.PlainKey(key);
    if (nValue == kNmeaAbsentInt)
        json.Null();
    else
        json.Int(nValue);
}

// Latitude and longitude in degrees, undoing the decoder's own factor exactly.
void WriteDegrees(CJsonWriter& json, std::string_view key, double dRadians)
{
    json.PlainKey(key);
    json.Fixed(dRadians / kNmeaDegToRad, 9);
}

void WriteDouble(CJsonWriter& json, std::string_view key, double dValue)
{
    json.PlainKey(key);
    json.Double(dValue);
}

bool WriteGga(CJsonWriter& json, std::string_view line)
{
    double dLat = 0, dLon = 0, dHeight = 0, dSeparation = 0, dHdop = 0;
    std::int32_t nFix = 0, nSats = 0;
    if (!DecodeGGA(line, &dLat, &dLon, &dHeight, &dSeparation, &nFix, &nSats, &dHdop))
        return false;
    json.PlainKey("decoded");
    json.Bool(true);
    WriteDegrees(json, "lat", dLat);
    WriteDegrees(json, "lon", dLon);
    WriteDouble(json, "height", dHeight);
    WriteDouble(json, "separation", dSeparation);
    json.PlainKey("fix");
    json.Int(nFix);
    WriteCount(json, "sats", nSats);
    WriteDouble(json, "hdop", dHdop);
    return true;
}

bool WriteGsa(CJsonWriter& json, std::string_view line, SSatTable& table)
{
    std::int32_t nFix = 0, nUsed = 0;
    double dHdop = 0, dPdop = 0, dVdop = 0;
    if (!DecodeGSA(line, &nFix, &nUsed, &table, &dHdop, &dPdop, &dVdop))
        return false;
    json.PlainKey("decoded");
    json.Bool(true);
    json.PlainKey("fix");
    json.Int(nFix);
    json.PlainKey("sats_used");
    json.Int(nUsed);
    WriteDouble(json, "pdop", dPdop);
    WriteDouble(json, "hdop", dHdop);
    WriteDouble(json, "vdop", dVdop);

    std::vector<std::uint32_t> used;
    for (const SSatInfo& sat : table) {
        if (sat.m_bUsed && sat.m_nPrn != 0)
            used.push_back(sat.m_nPrn);
    }
    std::ranges::sort(used);
    json.PlainKey("used_prns");
    json.BeginArray();
    for (const std::uint32_t nPrn : used)
        json.Int(nPrn);
    json.EndArray();
    return true;
}

bool WriteGsv(CJsonWriter& json, std::string_view line, SSatTable& table)
{
    std::int32_t nInView = 0;
    bool bLast = false;
    if (!DecodeGSV(line, &table, &nInView, &bLast))
        return false;
    json.PlainKey("decoded");
    json.Bool(true);
    WriteCount(json, "in_view", nInView);
    json.PlainKey("last");
    json.Bool(bLast);
    if (!bLast)
        return true;
    json.PlainKey("table");
    json.BeginArray();
    for (const SSatInfo& sat : table) {
        if (sat.m_nPrn == 0)
            continue;
        json.BeginObject();
        json.PlainKey("prn");
        json.Int(sat.m_nPrn);
        json.PlainKey("elevation");
        json.Int(sat.m_nElevation);
        json.PlainKey("azimuth");
        json.Int(sat.m_nAzimuth);
        json.PlainKey("snr");
        json.Int(sat.m_nSnr);
        json.PlainKey("used");
        json.Bool(sat.m_bUsed);
        json.EndObject();
    }
    json.EndArray();
    return true;
}

bool WriteVtg(CJsonWriter& json, std::string_view line, double& dCourse)
{
    double dSpeed = 0;
    if (!DecodeVTG(line, &dCourse, &dSpeed))
        return false;
    json.PlainKey("decoded");
    json.Bool(true);
    WriteDouble(json, "course", dCourse);  // NaN, written as null, until a course was read
    WriteDouble(json, "speed", dSpeed);
    return true;
}

}  // namespace

void CLineDecoder::Decode(std::string_view line, std::string& out)
{
    ++m_nLine;
    if (m_options.m_bSky)
        m_sky.Feed(line);
    const std::string_view type = SentenceType(line);
    const bool bChecksumOk = LineChecksumOk(line);

    // The decoders run in summary mode too, so that the satellite table and the counts
    // come out the same; their JSON then goes to a scratch string.
    std::string scratch;
    std::string& target = m_options.m_bSummary ? scratch : out;
    CJsonWriter json(target);
    json.BeginObject();
    json.PlainKey("n");
    json.Int(static_cast<std::int64_t>(m_nLine));
    json.PlainKey("type");
    json.String(type);
    json.PlainKey("checksum_ok");
    json.Bool(bChecksumOk);

    bool bDecoded = false;
    if (type == "GGA")
        bDecoded = WriteGga(json, line);
    else if (type == "GSA")
        bDecoded = WriteGsa(json, line, m_table);
    else if (type == "GSV")
        bDecoded = WriteGsv(json, line, m_table);
    else if (type == "VTG")
        bDecoded = WriteVtg(json, line, m_dCourse);
    if (!bDecoded) {
        json.PlainKey("decoded");
        json.Bool(false);
    }
    if (m_options.m_bRaw) {
        json.PlainKey("line");
        json.String(line);
    }
    json.EndObject();
    target += '\n';

    if (m_options.m_bSummary) {
        auto it = m_counts.find(type);
        if (it == m_counts.end())
            it = m_counts.emplace(std::string(type), SCounts{}).first;
        ++it->second.m_nLines;
        it->second.m_nDecoded += bDecoded ? 1 : 0;
        m_nChecksumFailures += bChecksumOk ? 0 : 1;
    }
}

void CLineDecoder::WriteSky(std::string& out) const
{
    const auto WriteValue = [](CJsonWriter& json, std::string_view key, std::int16_t nValue) {
        json.PlainKey(key);
        if (nValue == kSkyAbsent)
            json.Null();
        else
            json.Int(nValue);
    };
    CJsonWriter json(out);
    json.BeginObject();
    json.PlainKey("satellites");
    json.BeginArray();
    for (const SSkySatellite& sat : m_sky.View()) {
        json.BeginObject();
        json.PlainKey("system");
        json.String(SatSystemName(sat.m_system));
        json.PlainKey("svid");
        json.Int(sat.m_nSvid);
        WriteValue(json, "elevation", sat.m_nElevation);
        WriteValue(json, "azimuth", sat.m_nAzimuth);
        WriteValue(json, "snr", sat.m_nSnr);
        json.PlainKey("used");
        json.Bool(sat.m_bUsed);
        json.EndObject();
    }
    json.EndArray();
    json.PlainKey("in_view");
    json.Int(m_sky.InView());
    json.PlainKey("used");
    json.Int(m_sky.UsedInView());
    json.EndObject();
    out += '\n';
}

void CLineDecoder::WriteSummary(std::string& out) const
{
    CJsonWriter json(out);
    json.BeginObject();
    json.PlainKey("lines");
    json.BeginObject();
    for (const auto& [type, counts] : m_counts) {
        json.Key(type);
        json.Int(static_cast<std::int64_t>(counts.m_nLines));
    }
    json.EndObject();
    json.PlainKey("decoded");
    json.BeginObject();
    for (const auto& [type, counts] : m_counts) {
        json.Key(type);
        json.Int(static_cast<std::int64_t>(counts.m_nDecoded));
    }
    json.EndObject();
    json.PlainKey("checksum_failures");
    json.Int(static_cast<std::int64_t>(m_nChecksumFailures));
    json.EndObject();
    out += '\n';
}
