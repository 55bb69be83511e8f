#pragma once

#include "transfer/chip/AdapterFrames.h"
#include "transfer/chip/SerialTransferOptions.h"
#include "transfer/chip/SerialTransferResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zendrik {

class BytePort;
class TransferObserver;

inline const QString kSerialLogFileName = QStringLiteral("rsproto.txt");

// Writes a program file into the memory chip in the serial programming
// adapter, or reads the chip, block by block. Every data-block attempt is
// logged in rsproto.txt (request line, then reply line); a read leaves the
// image in card.dat. The port is opened at the start and closed at the end.
class SerialChipTransfer {
public:
    // The chip size follows the device family `uhrentyp` (8192 bytes for
    // 738, else 2048). `portLabel` follows "COM " in the messages and the
    // label (the COM number, or the device path on the command line).
    // rsproto.txt and card.dat go into `workDir`.
    SerialChipTransfer(BytePort& port, int uhrentyp, QString portLabel, QString workDir,
                       SerialTransferOptions options = {}, TransferObserver* observer = nullptr);

    SerialTransferResult writeChip(const QString& programFile);
    SerialTransferResult readChip();

    // The log lines of the last transfer.
    const QStringList& logLines() const { return log_; }
    // Set when rsproto.txt could not be written; the transfer itself counts.
    const QString& logError() const { return logError_; }

private:
    struct Exchange {
        bool timedOut = true;
        QByteArray reply;
    };

    SerialTransferResult run(bool writing, const QString& programFile);
    bool openPort(SerialTransferResult& r);
    void finish(SerialTransferResult& r);

    Exchange exchange(const QByteArray& frame, bool logged);
    SerialFault writeBlock(const QByteArray& frame);
    SerialFault readBlock(const QByteArray& frame, QByteArray& data, bool logged);
    SerialFault blockExchange(const QByteArray& frame, AdapterReply wanted, bool logged, QByteArray* data);
    SerialFault adapterCheck();
    SerialFault identificationTest();
    SerialFault verifyBlock0(const Image& written);
    SerialFault verifyWholeChip(const Image& written, int& mismatch);
    // Reads every block (logged); with `expected`, stops at the first byte
    // that differs from it and reports its address in `mismatch`.
    SerialFault readAllBlocks(Image& image, const Image* expected = nullptr, int* mismatch = nullptr);

    void pause(int ms);
    void progress(int value);
    void label(std::initializer_list<Prompt::Part> parts);
    int blocks() const { return size_ / 16; }

    BytePort& port_;
    int uhrentyp_;
    int size_;
    QString portLabel_;
    QString workDir_;
    SerialTransferOptions options_;
    TransferObserver* observer_;
    QStringList log_;
    QString logError_;
};

} // namespace zendrik
