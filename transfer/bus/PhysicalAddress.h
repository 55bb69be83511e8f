#pragma once

#include <QString>

#include <optional>

namespace zendrik {

// A physical (individual) address on the bus: area 0..15, line 0..15,
// device 0..255 in 16 bits, area in the top four bits. Computed unsigned:
// from area 8 on the value does not fit a signed 16-bit number.
inline constexpr quint16 PhysicalAddress(unsigned area, unsigned line, unsigned device)
{
    return static_cast<quint16>(area * 4096u + line * 256u + device);
}

inline constexpr int kHighestArea = 15;
inline constexpr int kHighestLine = 12; // lines above 12 are not accepted
inline constexpr int kFirstDevice = 1;
inline constexpr int kHighestDevice = 255;

// "1.12.255": area, line and device separated by dots, each in its range
// (device 1..255, line 0..12, area 0..15). Nothing for any other text.
std::optional<quint16> ParsePhysAddress(const QString& text);
// "A.L.D" of an address.
QString FormatPhysicalAddress(quint16 address);

} // namespace zendrik
