#include "model/ProgramModel.h"

#include "util/Cp1252.h"

namespace zendrik {

TextCheck CheckFileText(const QString& text)
{
    if (text.contains(QLatin1Char(',')))
        return TextCheck::Comma;
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return TextCheck::LineBreak;
    if (!Cp1252::canEncode(text))
        return TextCheck::NotEncodable;
    return TextCheck::Ok;
}

ProgramModel::ProgramModel() = default;

void ProgramModel::ClearSlot(int i)
{
    slot(i) = ProgramSlot{};
}

TextCheck ProgramModel::setVerwendung(int slotIndex, const QString& text)
{
    const TextCheck check = CheckFileText(text);
    if (check == TextCheck::Ok)
        slot(slotIndex).Verwendung = text;
    return check;
}

TextCheck ProgramModel::setKanalname(int slotIndex, int channelIndex, const QString& text)
{
    if (channelIndex < 0 || channelIndex >= kChannelNames)
        return TextCheck::Ok;
    const TextCheck check = CheckFileText(text);
    if (check == TextCheck::Ok)
        slot(slotIndex).Kanalname[static_cast<std::size_t>(channelIndex)] = text;
    return check;
}

} // namespace zendrik
