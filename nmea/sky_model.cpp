#include "nmea/sky_model.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

#include "nmea/decimal.h"
#include "nmea/sentence.h"

namespace {

constexpr std::size_t kMaxGroupSatellites = 64;
// A receiver's count of satellites in view is two digits; a larger one is kept below this,
// so that the sum over the sources stays far from overflowing.
constexpr int kMaxInView = 999;
constexpr std::size_t kFieldsPerSatellite = 4;  // number, elevation, azimuth, SNR
constexpr std::size_t kGsaSatelliteFields = 12;
constexpr std::size_t kGsaDopFields = 3;
// A source that has missed this many whole cycles of the others has stopped reporting.
constexpr std::uint32_t kCyclesToAgeOut = 2;
constexpr char kNoSignal = 0;
constexpr char kEmptySignal = 1;

struct SSatId
{
    ESatSystem m_system;
    std::uint16_t m_nSvid;
};

// The fields after the address field up to the checksum: "3,1,10,23,38,230,44,...".
std::string_view FieldsOf(std::string_view line)
{
    while (!line.empty() && IsLineEnd(line.back()))
        line.remove_suffix(1);
    if (line.size() >= 3 && line[line.size() - 3] == '*')
        line.remove_suffix(3);
    const std::size_t nComma = line.find(',');
    return nComma == std::string_view::npos ? std::string_view{} : line.substr(nComma + 1);
}

std::size_t CountFields(std::string_view fields)
{
    return fields.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(fields, ',')) + 1;
}

// Takes the fields of a sentence one by one from the front.
class CFieldCursor
{
public:
    explicit CFieldCursor(std::string_view fields) : m_rest(fields) {}

    std::string_view Next()
    {
        const std::size_t nComma = m_rest.find(',');
        const std::string_view field = m_rest.substr(0, nComma);
        m_rest = nComma == std::string_view::npos ? std::string_view{} : m_rest.substr(nComma + 1);
        return field;
    }
    // The next field as a number; nullopt when it is empty.
    std::optional<int> NextInt()
    {
        const std::string_view field = Next();
        if (field.empty())
            return std::nullopt;
        return ParseDecimalInt(field);
    }
    // The next field when it is a number within 0..nMax, else kSkyAbsent.
    std::int16_t NextBounded(int nMax)
    {
        const std::optional<int> nValue = NextInt();
        return nValue && *nValue >= 0 && *nValue <= nMax ? static_cast<std::int16_t>(*nValue)
                                                         : kSkyAbsent;
    }
    // The fields not yet taken.
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// The system an NMEA 4.10 system identifier names; GPS (1) also carries SBAS and QZSS
// satellites, so it names none: their numbers tell them apart.
std::optional<ESatSystem> SystemOfId(int nId)
{
    switch (nId) {
    case 2: return ESatSystem::kGlonass;
    case 3: return ESatSystem::kGalileo;
    case 4: return ESatSystem::kBeiDou;
    case 5: return ESatSystem::kQzss;
    case 6: return ESatSystem::kNavIc;
    default: return std::nullopt;
    }
}

// The system a talker names; GP, GN and every other talker name none.
std::optional<ESatSystem> SystemOfTalker(std::string_view talker)
{
    if (talker == "GL")
        return ESatSystem::kGlonass;
    if (talker == "GA")
        return ESatSystem::kGalileo;
    if (talker == "GB" || talker == "BD")
        return ESatSystem::kBeiDou;
    if (talker == "GQ" || talker == "QZ")
        return ESatSystem::kQzss;
    if (talker == "GI")
        return ESatSystem::kNavIc;
    return std::nullopt;
}

// The system a sentence names: by its system identifier (0 when it has none), else by its
// talker unless the identifier is GPS's.
std::optional<ESatSystem> NamedSystem(int nSystemId, std::string_view talker)
{
    const std::optional<ESatSystem> named = SystemOfId(nSystemId);
    if (named || nSystemId == 1)
        return named;
    return SystemOfTalker(talker);
}

std::optional<SSatId> Id(ESatSystem system, int nSvid)
{
    return SSatId{system, static_cast<std::uint16_t>(nSvid)};
}

// A number of the shared NMEA numbering, by the ranges receivers commonly use. 201 and 202
// fall in both QZSS's and BeiDou's ranges; they are BeiDou's (its first two satellites are
// in every BeiDou receiver's sky, QZSS has none there).
std::optional<SSatId> IdByRange(int n)
{
    if (n >= 1 && n <= 32)
        return Id(ESatSystem::kGps, n);
    if (n >= 33 && n <= 64)
        return Id(ESatSystem::kSbas, n + 87);
    if (n >= 65 && n <= 96)
        return Id(ESatSystem::kGlonass, n - 64);
    if (n >= 120 && n <= 158)
        return Id(ESatSystem::kSbas, n);
    if (n >= 201 && n <= 263)
        return Id(ESatSystem::kBeiDou, n - 200);
    if (n >= 193 && n <= 202)
        return Id(ESatSystem::kQzss, n - 192);
    if (n >= 301 && n <= 336)
        return Id(ESatSystem::kGalileo, n - 300);
    if (n >= 401 && n <= 463)
        return Id(ESatSystem::kBeiDou, n - 400);
    return std::nullopt;
}

// A number within a named system: its range of the shared numbering, else the system's own
// number (1..63).
std::optional<SSatId> IdWithin(ESatSystem system, int n)
{
    const std::optional<SSatId> byRange = IdByRange(n);
    if (byRange && byRange->m_system == system && n > 32)
        return byRange;
    if (n >= 1 && n <= 63)
        return Id(system, n);
    return std::nullopt;
}

std::optional<SSatId> IdOf(std::optional<ESatSystem> named, int n)
{
    return named ? IdWithin(*named, n) : IdByRange(n);
}

// A bit per number: SBAS's 120..158 move down to 20..58, the others' numbers are below 64.
std::size_t UsedBit(ESatSystem system, std::uint16_t nSvid)
{
    return system == ESatSystem::kSbas ? nSvid - 100u : nSvid;
}

std::size_t Index(ESatSystem system)
{
    return static_cast<std::size_t>(system);
}

}  // namespace

const char* SatSystemName(ESatSystem system)
{
    constexpr const char* kNames[kSatSystemCount] = {"GPS",  "SBAS",    "Galileo", "BeiDou",
                                                     "QZSS", "GLONASS", "NavIC"};
    return kNames[Index(system)];
}

CSkyModel::CSkyModel()
{
    m_view.reserve(kMaxGroupSatellites);
}

ESkyChange CSkyModel::Feed(std::string_view line)
{
    const bool bWasInGsaRun = m_bInGsaRun;
    m_bInGsaRun = false;
    if (!line.starts_with('$') || line.size() < 6)
        return ESkyChange::kNone;
    const std::string_view type = SentenceType(line);
    const std::string_view talker = line.substr(1, 2);
    if (type == "GSV")
        return FeedGsv(FieldsOf(line), talker);
    if (type != "GSA")
        return ESkyChange::kNone;
    m_bInGsaRun = bWasInGsaRun;
    FeedGsa(FieldsOf(line), talker);
    m_bInGsaRun = true;
    return ESkyChange::kUsed;
}

// $GPGSV,3,1,10,23,38,230,44,29,71,156,47,07,29,116,41,08,09,081,36*hh; NMEA 4.10 adds the
// signal after the satellites, Quectel's $PQGSV the signal and the system identifier.
ESkyChange CSkyModel::FeedGsv(std::string_view fields, std::string_view talker)
{
    const std::size_t nFields = CountFields(fields);
    CFieldCursor cursor(fields);
    const int nMessages = cursor.NextInt().value_or(0);
    const int nMessage = cursor.NextInt().value_or(0);
    const int nInView = cursor.NextInt().value_or(0);
    if (nMessages < 1 || nMessage < 1 || nMessage > nMessages || nFields < 3)
        return ESkyChange::kNone;

    const std::size_t nRest = nFields - 3;
    std::size_t nSatellites = nRest / kFieldsPerSatellite;
    SSourceKey key{{talker[0], talker[1]}, 0, kNoSignal};
    if (nRest % kFieldsPerSatellite == 3) {
        ++nSatellites;  // the last satellite without its SNR field
    } else if (nRest % kFieldsPerSatellite != 0) {
        const std::size_t nLastComma = fields.rfind(',');
        const std::string_view last = fields.substr(nLastComma + 1);
        if (nRest % kFieldsPerSatellite == 1) {
            key.m_nSignal = last.empty() ? kEmptySignal : last.front();
        } else {
            const std::string_view before = fields.substr(0, nLastComma);
            const std::string_view signal = before.substr(before.rfind(',') + 1);
            key.m_nSignal = signal.empty() ? kEmptySignal : signal.front();
            key.m_nSystemId = static_cast<std::int8_t>(std::clamp(ParseDecimalInt(last), 0, 15));
        }
    }
    const std::optional<ESatSystem> named = NamedSystem(key.m_nSystemId, talker);

    SSource& source = SourceFor(key);
    if (nMessage == 1) {
        source.m_pending.clear();
        source.m_nNextMessage = 1;
    }
    if (source.m_nNextMessage != nMessage) {
        source.m_nNextMessage = 0;  // a message is missing: the group is lost
        return ESkyChange::kNone;
    }
    for (std::size_t i = 0; i < nSatellites; ++i) {
        const std::optional<int> nNumber = cursor.NextInt();
        SSkySatellite sat;
        sat.m_nElevation = cursor.NextBounded(90);
        sat.m_nAzimuth = cursor.NextBounded(360);
        sat.m_nSnr = cursor.NextBounded(100);
        const std::optional<SSatId> id = nNumber ? IdOf(named, *nNumber) : std::nullopt;
        if (!id || source.m_pending.size() >= kMaxGroupSatellites)
            continue;
        sat.m_system = id->m_system;
        sat.m_nSvid = id->m_nSvid;
        source.m_pending.push_back(sat);
    }
    if (nMessage < nMessages) {
        ++source.m_nNextMessage;
        return ESkyChange::kNone;
    }
    source.m_nNextMessage = 0;
    source.m_nInView = std::clamp(nInView, 0, kMaxInView);
    CompleteGroup(source);
    return ESkyChange::kView;
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*hh; NMEA 4.10 adds the system identifier.
void CSkyModel::FeedGsa(std::string_view fields, std::string_view talker)
{
    CFieldCursor cursor(fields);
    cursor.Next();  // selection mode
    const int nFixType = cursor.NextInt().value_or(0);
    const std::string_view satellites = cursor.Rest();
    const std::size_t nFields = CountFields(satellites);
    std::size_t nSatelliteFields = nFields - std::min(nFields, kGsaDopFields);
    int nSystemId = 0;
    if (nFields == kGsaSatelliteFields + kGsaDopFields + 1) {
        nSatelliteFields = kGsaSatelliteFields;
        nSystemId = ParseDecimalInt(satellites.substr(satellites.rfind(',') + 1));
    }
    const std::optional<ESatSystem> named = NamedSystem(nSystemId, talker);

    if (!m_bInGsaRun) {
        m_runSystems.reset();
        m_bRangeClearedInRun = false;
    }
    // Without a fix no system's satellites are in use.
    if (nFixType == 1) {
        for (SUsedSet& used : m_used)
            used.reset();
    }
    if (named) {
        m_used[Index(*named)].reset();
        m_namedSystems.set(Index(*named));
        m_runSystems.set(Index(*named));
    } else if (!m_bRangeClearedInRun) {
        // The first GSA of a run without a named system stands for all systems no GSA names.
        for (std::size_t s = 0; s < kSatSystemCount; ++s) {
            if (!m_namedSystems.test(s) && !m_runSystems.test(s))
                m_used[s].reset();
        }
        m_bRangeClearedInRun = true;
    }

    CFieldCursor list(satellites);
    for (std::size_t i = 0; i < nSatelliteFields; ++i) {
        const std::optional<int> nNumber = list.NextInt();
        const std::optional<SSatId> id = nNumber ? IdOf(named, *nNumber) : std::nullopt;
        if (!id)
            continue;
        const std::size_t nSystem = Index(id->m_system);
        // A run's GSA sentences each tell the used satellites of their own systems.
        if (!m_runSystems.test(nSystem)) {
            m_used[nSystem].reset();
            m_runSystems.set(nSystem);
        }
        m_used[nSystem].set(UsedBit(id->m_system, id->m_nSvid));
    }
}

CSkyModel::SSource& CSkyModel::SourceFor(const SSourceKey& key)
{
    const auto IsUnused = [](const SSource& source) { return source.m_key.m_talker[0] == 0; };
    for (SSource& source : m_sources) {
        if (!IsUnused(source) && source.m_key == key)
            return source;
    }
    // A slot never used, else the one whose latest group is oldest.
    auto slot = std::ranges::find_if(m_sources, IsUnused);
    if (slot == m_sources.end()) {
        slot = std::ranges::min_element(m_sources, {}, [](const SSource& source) {
            return std::pair(source.m_bActive, source.m_nCycle);
        });
    }
    *slot = SSource{};
    slot->m_key = key;
    m_completedThisCycle[static_cast<std::size_t>(slot - m_sources.begin())] = false;
    return *slot;
}

void CSkyModel::CompleteGroup(SSource& source)
{
    source.m_group.swap(source.m_pending);
    source.m_pending.clear();
    source.m_bActive = true;
    // A cycle ends when a source completes a second group within it.
    const auto nIndex = static_cast<std::size_t>(&source - m_sources.data());
    if (m_completedThisCycle[nIndex]) {
        ++m_nCycle;
        m_completedThisCycle.fill(false);
    }
    m_completedThisCycle[nIndex] = true;
    source.m_nCycle = m_nCycle;
    for (SSource& other : m_sources) {
        if (other.m_bActive && other.m_nCycle + kCyclesToAgeOut < m_nCycle) {
            other.m_bActive = false;
            other.m_group.clear();
        }
    }
    Rebuild();
}

// A satellite reported on several signals stands once, with its strongest signal and the
// position any of them gives.
void CSkyModel::Place(const SSkySatellite& sat)
{
    const std::size_t nSystem = Index(sat.m_system);
    const std::size_t nBit = UsedBit(sat.m_system, sat.m_nSvid);
    SSkySatellite& slot = m_slots[nSystem][nBit];
    if ((m_present[nSystem] >> nBit & 1u) == 0) {
        m_present[nSystem] |= std::uint64_t{1} << nBit;
        slot = sat;
        return;
    }
    const SSkySatellite other = slot;
    if (sat.m_nSnr > slot.m_nSnr)
        slot = sat;
    if (slot.m_nElevation == kSkyAbsent)
        slot.m_nElevation = other.m_nElevation != kSkyAbsent ? other.m_nElevation : sat.m_nElevation;
    if (slot.m_nAzimuth == kSkyAbsent)
        slot.m_nAzimuth = other.m_nAzimuth != kSkyAbsent ? other.m_nAzimuth : sat.m_nAzimuth;
}

void CSkyModel::Rebuild()
{
    m_present.fill(0);
    m_nInView = 0;
    for (const SSource& source : m_sources) {
        if (!source.m_bActive)
            continue;
        for (const SSkySatellite& sat : source.m_group)
            Place(sat);
        // Signals of one talker and system report the same satellites: their largest count.
        const bool bCounted = std::any_of(m_sources.begin(), m_sources.end(), [&](const SSource& other) {
            return &other != &source && other.m_bActive &&
                   std::equal(other.m_key.m_talker, other.m_key.m_talker + 2, source.m_key.m_talker) &&
                   other.m_key.m_nSystemId == source.m_key.m_nSystemId &&
                   (other.m_nInView > source.m_nInView ||
                    (other.m_nInView == source.m_nInView && &other < &source));
        });
        if (!bCounted)
            m_nInView += source.m_nInView;
    }
    m_view.clear();
    for (std::size_t nSystem = 0; nSystem < kSatSystemCount; ++nSystem) {
        // By number within the system: the bits in ascending order.
        for (std::uint64_t bits = m_present[nSystem]; bits != 0; bits &= bits - 1) {
            SSkySatellite& sat = m_slots[nSystem][static_cast<std::size_t>(std::countr_zero(bits))];
            sat.m_bUsed = IsUsed(sat);
            m_view.push_back(sat);
        }
    }
}

bool CSkyModel::IsUsed(const SSkySatellite& sat) const
{
    return m_used[Index(sat.m_system)].test(UsedBit(sat.m_system, sat.m_nSvid));
}

int CSkyModel::Used() const
{
    return static_cast<int>(std::ranges::count_if(m_view, [this](const SSkySatellite& sat) { return IsUsed(sat); }));
}

int CSkyModel::UsedInView() const
{
    return static_cast<int>(std::ranges::count_if(m_view, &SSkySatellite::m_bUsed));
}
