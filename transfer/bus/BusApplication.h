#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zendrik {

// The application area of a bus time switch that a transfer replaces: the
// BCU memory 0x0107..0x01FE, 248 bytes. Before the switching program can be
// exchanged, the device's own application is saved, the transfer
// application (remote.s19) is written in its place, and afterwards the saved
// application is written back.
inline constexpr int kApplicationFirst = 0x0107;
inline constexpr int kApplicationLast = 0x01FE;
inline constexpr int kApplicationSize = kApplicationLast - kApplicationFirst + 1; // 248
inline constexpr int kApplicationBlock = 8;                                       // bytes per memory access
// The three identification bytes; the first is the manufacturer code.
inline constexpr int kIdentificationAddress = 0x0104;
// The manufacturer code of our bus time switches, the same for every brand.
inline constexpr int kBusManufacturerCode = 0x7E;

inline const QString kTransferApplicationFileName = QStringLiteral("remote.s19");
// The local BCU's own address-table length while it waits to be written
// back, one "link=length" line per interface.
inline const QString kAddressTableFileName = QStringLiteral("bcu-adrtab.old");

// The transfer application as we ship it in remote.s19: it runs the mailbox
// at 0x00CE through which the switching program is written and read.
const QByteArray& TransferApplicationImage();

// Why an application file could not be read.
enum class ApplicationFileError {
    None,
    Missing,
    Unreadable, // not a regular file, no permission, too large
    Invalid,    // not 248 integers 0..255, one per line
};

// An application file: 248 integers, one per line, for 0x0107..0x01FE.
std::optional<QByteArray> ParseApplicationText(const QByteArray& text);
std::optional<QByteArray> ReadApplicationFile(const QString& path, ApplicationFileError* error = nullptr);
QByteArray ApplicationFileText(const QByteArray& application);
bool WriteApplicationFile(const QString& path, const QByteArray& application, QString* error = nullptr);

// Where the application of the device at a physical address is kept while
// the device runs the transfer application: appl-1.1.5.old. The file exists
// exactly while a restore of that device is pending.
QString SavedApplicationFileName(quint16 physicalAddress);

} // namespace zendrik
