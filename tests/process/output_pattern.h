#pragma once

// Bytes a test child writes and the test expects back. Each byte depends on
// its offset in a way that no shift repeats, so a piece lost, doubled or out
// of order shows as a mismatch, not only as a wrong length. No zero bytes.

#include <cstddef>
#include <cstdint>
#include <string>

inline char PatternByte(std::size_t offset)
{
    std::uint32_t mixed = static_cast<std::uint32_t>(offset ^ (offset >> 7)) * 2654435761u;
    return static_cast<char>('!' + (mixed >> 13) % 94);
}

inline std::string PatternBytes(std::size_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = PatternByte(offset + i);
    return bytes;
}
