#include "nmea/rx_ring.h"

#include <algorithm>
#include <cstring>
#include <utility>

void SRxRing::Allocate()
{
    if (!m_pStorage)
        m_pStorage = std::make_unique<char[]>(kCapacity);  // value-initialised: zero-filled
    m_nCapacity = kCapacity;
    Reset();
}

void SRxRing::Release()
{
    m_pStorage.reset();
    m_nCapacity = 0;
    Reset();
}

void SRxRing::Reset()
{
    m_nReadPos = 0;
    m_nWritePos = 0;
    m_nUnread = 0;
}

void SRxRing::Append(const void* pBytes, std::size_t nBytes)
{
    if (!m_pStorage || m_nCapacity == 0 || nBytes == 0)
        return;
    const auto* pSource = static_cast<const char*>(pBytes);
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(nBytes, m_nCapacity));

    // Copy in at most two pieces: up to the end of the storage, then from its start.
    const std::uint32_t nFirst = std::min(n, m_nCapacity - m_nWritePos);
    std::memcpy(m_pStorage.get() + m_nWritePos, pSource, nFirst);
    std::memcpy(m_pStorage.get(), pSource + nFirst, n - nFirst);
    m_nWritePos = (m_nWritePos + n) % m_nCapacity;

    if (m_nUnread + n > m_nCapacity) {
        // The oldest unread bytes were overwritten: the ring is full and its oldest
        // surviving byte is the one the next write would replace.
        m_nUnread = m_nCapacity;
        m_nReadPos = m_nWritePos;
    } else {
        m_nUnread += n;
    }
}

void SRxRing::Consume(std::uint32_t n)
{
    m_nUnread -= n;
    if (m_nUnread == 0)
        Reset();
    else
        m_nReadPos = (m_nReadPos + n) % m_nCapacity;
}

std::size_t TakeLine(SRxRing& ring, SLineBuffer& buffer)
{
    buffer[0] = '\0';
    if (!ring.m_pStorage || ring.m_nCapacity == 0 || ring.m_nUnread == 0)
        return 0;

    // The unread bytes lie in at most two runs: from the read position towards the end of
    // the storage, then from its start. Search them for the first line feed in place.
    const char* pStorage = ring.m_pStorage.get();
    const std::uint32_t nFirst = std::min(ring.m_nUnread, ring.m_nCapacity - ring.m_nReadPos);
    const std::uint32_t nSecond = ring.m_nUnread - nFirst;

    std::uint32_t nLine = 0;
    if (const void* pFeed = std::memchr(pStorage + ring.m_nReadPos, '\n', nFirst))
        nLine = static_cast<std::uint32_t>(static_cast<const char*>(pFeed) - (pStorage + ring.m_nReadPos)) + 1;
    else if (const void* pFeed2 = std::memchr(pStorage, '\n', nSecond))
        nLine = nFirst + static_cast<std::uint32_t>(static_cast<const char*>(pFeed2) - pStorage) + 1;
    else
        return 0;

    const std::uint32_t nFromFirst = std::min(nLine, nFirst);
    std::memcpy(buffer.data(), pStorage + ring.m_nReadPos, nFromFirst);
    std::memcpy(buffer.data() + nFromFirst, pStorage, nLine - nFromFirst);
    buffer[nLine] = '\0';
    ring.Consume(nLine);
    return nLine;
}

void SRxRing::Swap(SRxRing& other) noexcept
{
    std::swap(m_pStorage, other.m_pStorage);
    std::swap(m_nReadPos, other.m_nReadPos);
    std::swap(m_nWritePos, other.m_nWritePos);
    std::swap(m_nCapacity, other.m_nCapacity);
    std::swap(m_nUnread, other.m_nUnread);
}
