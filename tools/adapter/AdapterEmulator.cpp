#include "tools/adapter/AdapterEmulator.h"

#include <array>
#include <utility>

namespace zendrik {

namespace {

constexpr quint8 kAcknowledged = 0x80;
constexpr quint8 kNoChip = 0x81;
constexpr quint8 kChipNotAnswering = 0x82;
constexpr quint8 kTransmissionError = 0x84;

} // namespace

bool ParseAdapterFault(const QString& name, AdapterFault& fault)
{
    static const std::array<std::pair<const char*, AdapterFault>, 10> names = {{
        {"none", AdapterFault::None},
        {"no-chip", AdapterFault::NoChip},
        {"not-answering", AdapterFault::ChipNotAnswering},
        {"transmission-error", AdapterFault::TransmissionError},
        {"no-reply", AdapterFault::NoReply},
        {"garbled", AdapterFault::Garbled},
        {"wrong-echo", AdapterFault::WrongEcho},
        {"old-adapter", AdapterFault::OldAdapter},
        {"other-type", AdapterFault::OtherType},
        {"partial", AdapterFault::Partial},
    }};
    for (const auto& [text, value] : names) {
        if (name == QLatin1String(text)) {
            fault = value;
            return true;
        }
    }
    return false;
}

AdapterEmulator::AdapterEmulator(VirtualEeprom& eeprom, AdapterFaultSettings faults)
    : eeprom_(eeprom), faults_(faults)
{
    if (faults_.fault == AdapterFault::OtherType)
        eeprom_.identificationOverride = static_cast<quint8>(eeprom_.large() ? 72 : 74);
    if (faults_.fault == AdapterFault::Partial)
        eeprom_.keepBelow = faults_.keepBytes >= 0 ? faults_.keepBytes : eeprom_.size() / 2;
}

bool AdapterEmulator::faultActive() const
{
    const int index = frames_ - 1;
    if (index < faults_.skipFrames)
        return false;
    return faults_.faultFrames < 0 || index < faults_.skipFrames + faults_.faultFrames;
}

QByteArray AdapterEmulator::status(quint8 s) const
{
    QByteArray reply(2, 0);
    reply[0] = 0x01;
    reply[1] = static_cast<char>(s);
    return reply;
}

AdapterEmulator::Outcome AdapterEmulator::handle(const QByteArray& frame)
{
    ++frames_;
    Outcome out;
    const QByteArray payload = frame.mid(1);
    if (frame.isEmpty() || payload.size() != static_cast<quint8>(frame.at(0)) || payload.size() < 2) {
        out.reply = status(kTransmissionError);
        return out;
    }
    const quint8 control = static_cast<quint8>(payload.at(0));
    const bool reading = (control & 0x01) != 0;
    const bool active = faultActive();
    const quint8 faultStatus = static_cast<quint8>(faults_.status);

    if (active) {
        switch (faults_.fault) {
        case AdapterFault::NoReply:
            return out;
        case AdapterFault::NoChip:
            out.reply = status(faults_.status >= 0 ? faultStatus : kNoChip);
            return out;
        case AdapterFault::ChipNotAnswering:
            out.reply = status(faults_.status >= 0 ? faultStatus : kChipNotAnswering);
            return out;
        case AdapterFault::TransmissionError:
            out.reply = status(faults_.status >= 0 ? faultStatus : kTransmissionError);
            return out;
        case AdapterFault::OldAdapter:
            if ((reading && payload.size() == 4) || (!reading && payload.size() == 19)) {
                out.reply = QByteArray("\x02\xA1", 2);
                return out;
            }
            break;
        case AdapterFault::Garbled:
            if (!reading) {
                out.reply = QByteArray("\x5A\xC3\x3C", 3);
                return out;
            }
            break;
        default:
            break;
        }
    }

    if (!eeprom_.acknowledges(control)) {
        out.reply = status(kChipNotAnswering);
        return out;
    }
    if (reading) {
        const int count = static_cast<quint8>(payload.at(payload.size() - 1));
        const QByteArray data = eeprom_.read(control, payload.mid(1, payload.size() - 2), count);
        out.reply += static_cast<char>(count + 2);
        out.reply += payload.left(2);
        out.reply += data;
        if (active && faults_.fault == AdapterFault::WrongEcho)
            out.reply[1] = static_cast<char>(control ^ 0x02);
        if (active && faults_.fault == AdapterFault::Garbled)
            out.reply.truncate(13);
        return out;
    }
    out.programmed = eeprom_.write(control, payload.mid(1));
    out.reply = status(kAcknowledged);
    return out;
}

} // namespace zendrik
