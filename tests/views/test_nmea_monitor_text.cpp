// The NMEA monitor's text work: byte pieces in the four display modes, line breaking by
// width, the trimming of the list, and the per-type counters.
#include <gtest/gtest.h>

#include <string>

#include "views/ascii_display.h"
#include "views/sentence_counts.h"

namespace
{

// A bracketed piece: the name or value between the guillemets 0xAB and 0xBB.
std::string Piece(const std::string& strInside)
{
    return "\xAB" + strInside + "\xBB";
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += line;
    return all;
}

TEST(AsciiDisplay, PiecesInEachMode)
{
    EXPECT_EQ(FormatDisplayPiece('$', kModeNormal), "$");
    EXPECT_EQ(FormatDisplayPiece('\r', kModeNormal), "\r");
    EXPECT_EQ(FormatDisplayPiece(0, kModeAscii), Piece("NUL"));
    EXPECT_EQ(FormatDisplayPiece(9, kModeAscii), Piece("TAB"));
    EXPECT_EQ(FormatDisplayPiece(31, kModeAscii), Piece("US"));
    EXPECT_EQ(FormatDisplayPiece(127, kModeAscii), Piece("DEL"));
    EXPECT_EQ(FormatDisplayPiece(255, kModeAscii), Piece("255"));
    EXPECT_EQ(FormatDisplayPiece(0xB0, kModeAscii), "\xB0");
    EXPECT_EQ(FormatDisplayPiece(7, kModeDecimal), Piece("007"));
    EXPECT_EQ(FormatDisplayPiece(255, kModeDecimal), Piece("255"));
    EXPECT_EQ(FormatDisplayPiece(0xAB, kModeHex), Piece("$AB"));
    EXPECT_EQ(FormatDisplayPiece(10, kModeHex), Piece("$0A"));
}

TEST(AsciiDisplay, SentenceStartInHexAndDecimal)
{
    const char* pText = "$GP";
    EXPECT_EQ(Joined(FormatDisplayLines(pText, 3, kModeHex, 8, 1000)),
              Piece("$24") + Piece("$47") + Piece("$50"));
    EXPECT_EQ(Joined(FormatDisplayLines(pText, 3, kModeDecimal, 8, 1000)),
              Piece("036") + Piece("071") + Piece("080"));
}

TEST(AsciiDisplay, LineEndStaysInTheLastLine)
{
    const std::string text = "$GPGGA,1*00\r\n";
    auto normal = FormatDisplayLines(text.data(), text.size(), kModeNormal, 8, 1000);
    ASSERT_EQ(normal.size(), 1u);
    EXPECT_EQ(normal[0], text);
    auto ascii = FormatDisplayLines(text.data(), text.size(), kModeAscii, 8, 1000);
    ASSERT_EQ(ascii.size(), 1u);
    EXPECT_EQ(ascii[0], "$GPGGA,1*00" + Piece("CR") + Piece("LF"));
}

TEST(AsciiDisplay, BreaksByWidthAndNeverSplitsAPiece)
{
    // (8 - 1) * characters < 35 holds for up to 4 characters, so a line takes a fifth piece
    // while it has at most 4 characters and a new line starts at 5.
    const std::string text = "ABCDEFGHIJK";
    auto lines = FormatDisplayLines(text.data(), text.size(), kModeNormal, 8, 35);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "ABCDE");
    EXPECT_EQ(lines[1], "FGHIJ");
    EXPECT_EQ(lines[2], "K");
    // HEX pieces are five characters: 7 * 5 < 36 takes a second piece, 7 * 10 does not.
    auto hex = FormatDisplayLines(text.data(), 3, kModeHex, 8, 36);
    ASSERT_EQ(hex.size(), 2u);
    EXPECT_EQ(hex[0], Piece("$41") + Piece("$42"));
    EXPECT_EQ(hex[1], Piece("$43"));
    EXPECT_TRUE(FormatDisplayLines(text.data(), 0, kModeNormal, 8, 35).empty());
}

TEST(AsciiDisplay, ListKeepsOneScreenful)
{
    EXPECT_EQ(LinesToKeep(0, 1, 10), 0u);
    EXPECT_EQ(LinesToKeep(5, 1, 10), 5u);
    EXPECT_EQ(LinesToKeep(10, 1, 10), 9u);
    EXPECT_EQ(LinesToKeep(10, 3, 10), 7u);
    // A call bringing more lines than fit keeps none of the older ones.
    EXPECT_EQ(LinesToKeep(10, 12, 10), 0u);
    EXPECT_EQ(LinesToKeep(10, 10, 10), 0u);
}

TEST(SentenceCounts, CountsSixTypesAndIgnoresOthers)
{
    CSentenceCounts counts;
    EXPECT_EQ(counts.Count("$GPGGA,1\r\n"), CSentenceCounts::kGGA);
    EXPECT_EQ(counts.Count("$PTNL,GGA,1\r\n"), CSentenceCounts::kGGA);
    EXPECT_EQ(counts.Count("noise$GNRMC,1"), CSentenceCounts::kRMC);
    EXPECT_EQ(counts.Count("$GPZDA,1"), -1);
    EXPECT_EQ(counts.Count("no sentence"), -1);
    EXPECT_EQ(counts.Count("$GP"), -1);
    EXPECT_EQ(counts.Count("$"), -1);
    EXPECT_EQ(counts.Count("$PTNL,"), -1);
    EXPECT_EQ(counts.Get(CSentenceCounts::kGGA), 2);
    EXPECT_EQ(counts.Get(CSentenceCounts::kRMC), 1);
    counts.Reset();
    EXPECT_EQ(counts.DisplayText(CSentenceCounts::kGGA), "0");
}

TEST(SentenceCounts, DisplayWrapsAtThousandWhileCountingOn)
{
    CSentenceCounts counts;
    for (int i = 0; i < 999; ++i)
        counts.Count("$GPGSV,3,1,12");
    EXPECT_EQ(counts.DisplayText(CSentenceCounts::kGSV), "999");
    counts.Count("$GPGSV,3,1,12");
    EXPECT_EQ(counts.DisplayText(CSentenceCounts::kGSV), "0");
    counts.Count("$GPGSV,3,1,12");
    EXPECT_EQ(counts.DisplayText(CSentenceCounts::kGSV), "1");
    EXPECT_EQ(counts.Get(CSentenceCounts::kGSV), 1001);
}

} // namespace
