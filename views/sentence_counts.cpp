#include "views/sentence_counts.h"

namespace
{
constexpr std::string_view kTypeNames[CSentenceCounts::kTypeCount] = {"GGA", "RMC", "GLL",
                                                                      "GSA", "GSV", "VTG"};
constexpr std::string_view kTrimblePrefix = "$PTNL,";
} // namespace

std::string_view CSentenceCounts::TypeAt(std::string_view sentence)
{
    const std::size_t nStart = sentence.starts_with(kTrimblePrefix) ? kTrimblePrefix.size() : 3;
    if (sentence.size() < nStart + 3)
        return {};
    return sentence.substr(nStart, 3);
}

int CSentenceCounts::Count(std::string_view text)
{
    const std::size_t nDollar = text.find('$');
    if (nDollar == std::string_view::npos)
        return -1;
    const std::string_view type = TypeAt(text.substr(nDollar));
    for (int i = 0; i < kTypeCount; ++i)
    {
        if (type == kTypeNames[i])
        {
            // Unsigned arithmetic: the counter wraps instead of overflowing in a very long run.
            m_counts[i] = static_cast<int>(static_cast<unsigned>(m_counts[i]) + 1u);
            return i;
        }
    }
    return -1;
}

std::string CSentenceCounts::DisplayText(int nType) const
{
    return std::to_string(m_counts[nType] % 1000);
}
