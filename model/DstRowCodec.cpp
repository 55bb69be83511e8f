#include "model/DstRowCodec.h"

namespace zendrik {

namespace {

int pack(const DstChangeover& c)
{
    return ((c.month & 0x0F) << 12) | ((c.day & 0x1F) << 7) | ((c.hour & 0x1F) << 2) | (c.shift & 0x03);
}

DstChangeover unpack(int v)
{
    return DstChangeover{(v >> 7) & 0x1F, (v >> 12) & 0x0F, (v >> 2) & 0x1F, v & 0x03};
}

} // namespace

DstRow EncodeDstRow(const DstEntry& entry)
{
    const int f = pack(entry.forward);
    const int b = pack(entry.back);
    DstRow row;
    row.b = {static_cast<Byte>(f >> 8), static_cast<Byte>(f & 0xFF),
             static_cast<Byte>(b >> 8), static_cast<Byte>(b & 0xFF)};
    return row;
}

DstEntry DecodeDstRow(const DstRow& row)
{
    return DstEntry{unpack((row.b[0] << 8) | row.b[1]), unpack((row.b[2] << 8) | row.b[3])};
}

bool IsUsedDstRow(const DstRow& row)
{
    return row.b[0] < 240;
}

int StoredSoWiJahr(const ProgramSlot& slot)
{
    const int year = slot.SoWiJahr % 64;
    // A table from 1996 itself has no earlier year to name; it lies in the past.
    if (slot.SoWiInfo == 0 || year == 0)
        return slot.SoWiJahr & 0xFF;
    return ((slot.SoWiJahr & 0xC0) | (year - 1)) & 0xFF;
}

} // namespace zendrik
