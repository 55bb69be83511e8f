#include "transfer/bus/TransferMailbox.h"

namespace zendrik::Mailbox {

namespace {

QByteArray block(quint8 mark, quint8 command, const QByteArray& data, char pad)
{
    QByteArray b;
    b += static_cast<char>(mark);
    b += static_cast<char>(data.size() + 1);
    b += static_cast<char>(command);
    b += data.left(kSize - 3);
    b += QByteArray(kSize - b.size(), pad);
    return b;
}

} // namespace

QByteArray commandBlock(quint8 command, const QByteArray& data)
{
    return block(kCommandMark, command, data, '\0');
}

QByteArray answerBlock(quint8 command, const QByteArray& data)
{
    return block(kAnswerMark, command, data, '\xFF');
}

State stateOf(const QByteArray& readBack, const QByteArray& sent)
{
    if (readBack.size() != kSize)
        return State::Other;
    if (static_cast<quint8>(readBack.at(0)) == kAnswerMark)
        return State::Answer;
    bool allFF = true;
    for (int i = 1; i < kSize; ++i)
        allFF = allFF && static_cast<quint8>(readBack.at(i)) == 0xFF;
    if (allFF)
        return State::Taken;
    return readBack == sent ? State::Pending : State::Other;
}

bool answerData(const QByteArray& b, quint8 command, QByteArray* data)
{
    if (b.size() != kSize || static_cast<quint8>(b.at(0)) != kAnswerMark || static_cast<quint8>(b.at(2)) != command)
        return false;
    const int length = static_cast<quint8>(b.at(1)) - 1;
    if (length < 0 || length > kSize - 3)
        return false;
    *data = b.mid(3, length);
    return true;
}

} // namespace zendrik::Mailbox
