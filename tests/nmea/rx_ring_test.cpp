#include "nmea/rx_ring.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

class RxRingTest : public ::testing::Test
{
protected:
    void SetUp() override { m_ring.Allocate(); }

    void Append(std::string_view bytes) { m_ring.Append(bytes.data(), bytes.size()); }

    // The next line as a text, empty when TakeLine returned 0.
    std::string Take()
    {
        const std::size_t n = TakeLine(m_ring, m_buffer);
        EXPECT_EQ(m_buffer[n], '\0');
        return std::string(m_buffer.data(), n);
    }

    SRxRing m_ring;
    SLineBuffer m_buffer{};
};

TEST_F(RxRingTest, PartialLineWaitsForItsLineFeed)
{
    Append("$GPGGA,1");
    EXPECT_EQ(Take(), "");
    EXPECT_EQ(m_ring.Unread(), 8u);
    Append("23\r\n");
    EXPECT_EQ(Take(), "$GPGGA,123\r\n");
    EXPECT_EQ(m_ring.Unread(), 0u);
    EXPECT_EQ(m_ring.ReadPos(), 0u);
    EXPECT_EQ(m_ring.WritePos(), 0u);
}

TEST_F(RxRingTest, LinesComeOutInOrderAndThePartialOneStays)
{
    Append("$GPGSA,A\r\n$GPVTG,1\n$GPG");
    EXPECT_EQ(Take(), "$GPGSA,A\r\n");
    EXPECT_EQ(Take(), "$GPVTG,1\n");
    EXPECT_EQ(Take(), "");
    EXPECT_EQ(m_ring.Unread(), 4u);
}

TEST_F(RxRingTest, LineAcrossTheEndOfTheStorageComesOutWhole)
{
    const std::string filler(SRxRing::kCapacity - 6, 'x');
    Append(filler + "\nab");
    EXPECT_EQ(Take(), filler + "\n");
    ASSERT_EQ(m_ring.ReadPos(), SRxRing::kCapacity - 5);
    Append("cdefg\r\n$GPGGA,1\n");  // runs past the end of the storage
    EXPECT_EQ(Take(), "abcdefg\r\n");
    EXPECT_EQ(Take(), "$GPGGA,1\n");
    EXPECT_EQ(m_ring.Unread(), 0u);
}

TEST_F(RxRingTest, OverflowKeepsTheNewestBytesInOrder)
{
    std::string stream;
    for (int i = 0; stream.size() < 3 * SRxRing::kCapacity; ++i)
        stream += "$GPTXT," + std::to_string(i) + "\n";
    for (std::size_t i = 0; i < stream.size(); i += 1000)
        Append(std::string_view(stream).substr(i, 1000));
    ASSERT_EQ(m_ring.Unread(), SRxRing::kCapacity);

    std::string taken;
    for (std::string line = Take(); !line.empty(); line = Take())
        taken += line;
    const std::string newest = stream.substr(stream.size() - SRxRing::kCapacity);
    // Every one of the newest bytes comes out; only the first line has lost its front.
    EXPECT_EQ(taken, newest);
}

TEST_F(RxRingTest, FullRingWithoutLineFeedYieldsTheNewestLineWhenOneArrives)
{
    std::string bytes(SRxRing::kCapacity, 'a');
    bytes[0] = 'b';
    Append(bytes);
    EXPECT_EQ(m_ring.Unread(), SRxRing::kCapacity);
    EXPECT_EQ(Take(), "");
    Append("\n");  // overwrites the oldest byte
    const std::string line = Take();
    EXPECT_EQ(line, std::string(SRxRing::kCapacity - 1, 'a') + "\n");
    EXPECT_EQ(m_ring.Unread(), 0u);
}

TEST_F(RxRingTest, OversizedBatchKeepsItsFirstBytes)
{
    std::string batch(SRxRing::kCapacity + 100, 'a');
    batch[SRxRing::kCapacity - 1] = '\n';
    Append(batch);
    EXPECT_EQ(m_ring.Unread(), SRxRing::kCapacity);
    EXPECT_EQ(Take().size(), SRxRing::kCapacity);
}

TEST_F(RxRingTest, AnyByteValueIsPartOfALine)
{
    const std::string line("$GP\0\xFF\xAB,x\r\n", 10);
    Append(line);
    EXPECT_EQ(Take(), line);
}

TEST_F(RxRingTest, SingleBytesAreKept)
{
    for (const char ch : std::string_view("$X\n"))
        if (ch != '\0')
            m_ring.Append(&ch, 1);
    EXPECT_EQ(Take(), "$X\n");
}

TEST_F(RxRingTest, ResetEmptiesAndReleaseStopsKeeping)
{
    Append("$GPGGA\n");
    m_ring.Reset();
    EXPECT_EQ(Take(), "");
    m_ring.Release();
    EXPECT_EQ(m_ring.Capacity(), 0u);
    Append("$GPGGA\n");
    EXPECT_EQ(m_ring.Unread(), 0u);
    EXPECT_EQ(Take(), "");
}

}  // namespace
