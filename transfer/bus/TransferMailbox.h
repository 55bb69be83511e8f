#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace zendrik {

// The mailbox of the transfer application: nine bytes of the device's
// memory at 0x00CE through which the switching program is written and read.
//
// A command block is 0x01, the length of its data + 1, the command, the
// data, padded with 0x00 to nine bytes, written with one memory write. The
// device takes a write command by setting bytes 1..8 to 0xFF (byte 0 stays);
// it answers a read command with 0x02, the length of the answer data + 1,
// the command, the answer data, padded with 0xFF. Anything else read back
// means the device has not taken the command yet.
namespace Mailbox {

inline constexpr quint16 kAddress = 0x00CE;
inline constexpr int kSize = 9;
inline constexpr quint8 kCommandMark = 0x01;
inline constexpr quint8 kAnswerMark = 0x02;

// Write commands.
inline constexpr quint8 kWriteDst = 0xC4;      // 0x00 year 0 0 0 (header) or r + 1 and row r's four bytes
inline constexpr quint8 kDeleteEntries = 0xE5; // 0x55: all switching and priority times
inline constexpr quint8 kDeleteKey = 0x55;
inline constexpr quint8 kWriteEntry = 0xE0; // b0..b5 of one entry
// Read commands.
inline constexpr quint8 kReadDstYear = 0x44;    // -> 0x00, year
inline constexpr quint8 kReadDstRow = 0x40;     // r + 1 -> r + 1 and row r
inline constexpr quint8 kReadFirstEntry = 0x60; // -> b0..b5, all 0xFF after the last entry
inline constexpr quint8 kReadNextEntry = 0x61;

QByteArray commandBlock(quint8 command, const QByteArray& data);
QByteArray answerBlock(quint8 command, const QByteArray& data);

// What a block read back says about a command.
enum class State {
    Taken,   // a write command was taken
    Answer,  // the answer to a read command
    Pending, // the command is still there
    Other,   // anything else: not taken (the command never arrived)
};
State stateOf(const QByteArray& readBack, const QByteArray& sent);
// The data of an answer block, or nothing when it does not answer `command`
// or its length byte is out of range.
bool answerData(const QByteArray& block, quint8 command, QByteArray* data);

} // namespace Mailbox

} // namespace zendrik
