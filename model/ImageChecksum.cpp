#include "model/ImageChecksum.h"

#include "model/DeviceImage.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"

#include <array>
#include <cstdint>

namespace zendrik {

namespace {

// The reflected CRC-32 of zlib and Ethernet (polynomial 0xEDB88320).
const std::array<std::uint32_t, 256>& crcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

// Header bytes that are not the program: byte 0 is the sum byte of the
// stored image, which follows the clock; bytes 4..7 hold the time of the
// transfer (minutes of the day, month, day, year since 1872).
bool isClockByte(std::size_t offset)
{
    return offset == 0 || (offset >= 4 && offset < static_cast<std::size_t>(ImageLayout::kHeaderBytes));
}

} // namespace

QString ImageChecksum(const ProgramModel& model, int slot)
{
    // The header as a transfer builds it from the device settings, so a
    // program loaded from its file and the same program read back from the
    // device give the same bytes. The copy keeps the caller's model as it is.
    ProgramModel copy = model;
    if (slot != kProgramSlot)
        copy.program() = model.slot(slot);
    ScriptedInteraction keepAsItIs = ScriptedInteraction::answering(false);
    BuildHeader(copy, keepAsItIs);
    const Image image = BuildLogicalImage(copy);

    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (isClockByte(i))
            continue;
        crc = crcTable()[(crc ^ image[i]) & 0xFF] ^ (crc >> 8);
    }
    crc ^= 0xFFFFFFFFu;
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace zendrik
