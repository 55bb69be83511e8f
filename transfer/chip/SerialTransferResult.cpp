#include "transfer/chip/SerialTransferResult.h"

namespace zendrik {

std::optional<Prompt> SerialFaultMessage(const SerialTransferResult& r, const QString& portLabel)
{
    switch (r.fault) {
    case SerialFault::None:
    case SerialFault::Silent:
        return std::nullopt;
    case SerialFault::NoAnswer:
        return Prompt::message(Icon::None, {TextId::NoAnswerFromAdapter, portLabel});
    case SerialFault::NoChip:
        return Prompt::message(Icon::None, {TextId::NoChipInInterface});
    case SerialFault::ChipNotAnswering:
        return Prompt::message(Icon::None, {TextId::ChipNotAnswering});
    case SerialFault::TransmissionError:
        return Prompt::message(Icon::None, {TextId::TransmissionErrorOnCom, portLabel});
    case SerialFault::UnknownMessage:
        return Prompt::message(Icon::None, {TextId::UnknownMessage});
    case SerialFault::NeedNewerAdapter:
        return Prompt::message(Icon::None, {TextId::NeedNewerAdapter});
    case SerialFault::OtherCardType:
    case SerialFault::VerifyMismatch:
        return Prompt::message(Icon::None, {TextId::NeedOtherChipType});
    case SerialFault::PortUnavailable:
        return Prompt::message(Icon::Critical,
                               {TextId::NoAnswerFromAdapter, portLabel, QStringLiteral(" (") + r.error + QLatin1Char(')')});
    case SerialFault::ProgramFileMissing:
        return Prompt::message(Icon::Critical, {TextId::FileNotFound});
    case SerialFault::ProgramFileInvalid:
        return Prompt::message(Icon::Critical, {TextId::InvalidFile});
    case SerialFault::CardFileNotWritten:
        return Prompt::message(Icon::Critical, {TextId::InvalidFileName, QStringLiteral(": ") + r.error});
    }
    return std::nullopt;
}

} // namespace zendrik
