#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

// The receive ring of a serial port: a fixed block of bytes into which every batch read
// from the device is appended and out of which complete lines are taken. When a batch does
// not fit, the oldest unread bytes are overwritten, so the ring always holds the most
// recent bytes in arrival order. The owner allocates the storage when the port opens and
// releases it when the port closes; without storage the ring keeps nothing.
struct SRxRing
{
public:
    static constexpr std::uint32_t kCapacity = 4096;

    SRxRing() = default;
    SRxRing(const SRxRing&) = delete;
    SRxRing& operator=(const SRxRing&) = delete;

    // Allocates zero-filled storage of kCapacity bytes (if not yet there) and empties the ring.
    void Allocate();
    // Releases the storage; the capacity becomes 0.
    void Release();

    // Appends nBytes in order. Of a batch larger than the capacity only its first
    // kCapacity bytes are kept. Bytes that do not fit into the free room overwrite the
    // oldest unread ones.
    void Append(const void* pBytes, std::size_t nBytes);
    // Empties the ring without releasing the storage.
    void Reset();
    // Exchanges storage and contents with another ring.
    void Swap(SRxRing& other) noexcept;

    bool HasStorage() const { return m_pStorage != nullptr; }
    std::uint32_t Capacity() const { return m_nCapacity; }
    std::uint32_t Unread() const { return m_nUnread; }
    std::uint32_t ReadPos() const { return m_nReadPos; }
    std::uint32_t WritePos() const { return m_nWritePos; }

private:
    friend std::size_t TakeLine(SRxRing& ring, std::array<char, kCapacity + 1>& buffer);

    // Removes n unread bytes from the front.
    void Consume(std::uint32_t n);

    std::unique_ptr<char[]> m_pStorage;
    std::uint32_t m_nReadPos = 0;   // oldest byte not yet taken out
    std::uint32_t m_nWritePos = 0;  // where the next byte goes
    std::uint32_t m_nCapacity = 0;  // kCapacity with storage, 0 without
    std::uint32_t m_nUnread = 0;    // tells a full ring from an empty one
};

// Room for the longest line a ring can hold plus a terminating NUL.
inline constexpr std::size_t kLineBufferSize = SRxRing::kCapacity + 1;
using SLineBuffer = std::array<char, kLineBufferSize>;

// Takes the oldest complete line (up to and including its line feed, so a carriage return
// before it stays) out of the ring into the buffer, NUL-terminates it and returns its
// length. Returns 0 and leaves the ring as it is when it holds no line feed. Any byte,
// NUL included, may be part of a line: use the returned length, not the terminator.
std::size_t TakeLine(SRxRing& ring, SLineBuffer& buffer);
