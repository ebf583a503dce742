#pragma once
// The sky as the monitor windows show it: every satellite of every constellation a receiver
// reports, each identified by its system and its number within that system (GLONASS 1-32,
// QZSS 1-10, SBAS by its PRN 120-158, the others from 1), with the used flag belonging to
// the satellite. Read from GSV and GSA sentences of any talker, plain or with the system and
// signal identifiers of NMEA 4.10.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// In the order the satellites are listed.
enum class ESatSystem : std::uint8_t { kGps, kSbas, kGalileo, kBeiDou, kQzss, kGlonass, kNavIc };
inline constexpr std::size_t kSatSystemCount = 7;

// "GPS", "SBAS", "Galileo", "BeiDou", "QZSS", "GLONASS", "NavIC".
const char* SatSystemName(ESatSystem system);

// A value the receiver left empty (or sent out of its range).
inline constexpr std::int16_t kSkyAbsent = -1;

struct SSkySatellite
{
    ESatSystem m_system = ESatSystem::kGps;
    std::uint16_t m_nSvid = 0;
    std::int16_t m_nElevation = kSkyAbsent;  // degrees, 0..90
    std::int16_t m_nAzimuth = kSkyAbsent;    // degrees, 0..360
    std::int16_t m_nSnr = kSkyAbsent;        // dB-Hz, 0..100
    bool m_bUsed = false;

    bool operator==(const SSkySatellite&) const = default;
};

// What a line changed.
enum class ESkyChange : std::uint8_t
{
    kNone,
    kUsed,  // a GSA sentence: the used flags (Used) may differ
    kView,  // a GSV group completed: the view was rebuilt
};

class CSkyModel
{
public:
    CSkyModel();

    // Any line, as the receive ring gives it (line end included or not). Lines that are
    // neither GSV nor GSA only end a run of GSA sentences.
    ESkyChange Feed(std::string_view line);

    // The satellites in view, ordered by system and number: each source's latest complete
    // GSV group, a satellite reported on several signals once with its strongest, used as
    // the latest GSA sentences said when the view was built.
    const std::vector<SSkySatellite>& View() const { return m_view; }
    // Satellites in view as the receivers count them, summed over the systems, when the view
    // was built.
    int InView() const { return m_nInView; }
    // Satellites of the view that the latest GSA sentences list as used.
    int Used() const;
    // Satellites of the view flagged used.
    int UsedInView() const;

private:
    // Where a GSV group comes from: the talker, the system identifier and the signal.
    struct SSourceKey
    {
        char m_talker[2] = {0, 0};
        std::int8_t m_nSystemId = 0;
        std::int8_t m_nSignal = -1;
        bool operator==(const SSourceKey&) const = default;
    };
    struct SSource
    {
        SSourceKey m_key;
        bool m_bActive = false;
        std::vector<SSkySatellite> m_group;    // the latest complete group
        std::vector<SSkySatellite> m_pending;  // the group being received
        int m_nNextMessage = 0;                // 0: no group under way
        int m_nInView = 0;
        std::uint32_t m_nCycle = 0;            // the cycle of the latest complete group
    };
    using SUsedSet = std::bitset<64>;

    ESkyChange FeedGsv(std::string_view fields, std::string_view talker);
    void FeedGsa(std::string_view fields, std::string_view talker);
    SSource& SourceFor(const SSourceKey& key);
    void CompleteGroup(SSource& source);
    void Rebuild();
    void Place(const SSkySatellite& sat);
    bool IsUsed(const SSkySatellite& sat) const;

    std::array<SSource, 16> m_sources;
    std::uint32_t m_nCycle = 0;
    std::array<bool, 16> m_completedThisCycle{};
    std::array<SUsedSet, kSatSystemCount> m_used;
    // Systems whose GSA sentences name them (by identifier or talker); a GSA that does not
    // leaves their used flags alone.
    std::bitset<kSatSystemCount> m_namedSystems;
    // Systems a GSA of the current run of GSA sentences has already set.
    std::bitset<kSatSystemCount> m_runSystems;
    bool m_bInGsaRun = false;
    // Whether a GSA of the current run that names no system has cleared the unnamed ones.
    bool m_bRangeClearedInRun = false;
    // The view being built: per system, the satellites present by their bit.
    std::array<std::uint64_t, kSatSystemCount> m_present{};
    std::array<std::array<SSkySatellite, 64>, kSatSystemCount> m_slots{};
    std::vector<SSkySatellite> m_view;
    int m_nInView = 0;
};
