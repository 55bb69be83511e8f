#pragma once

#include "model/DeviceImage.h"
#include "model/ProgramModel.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace zendrik::test {

// A saved program for a device-type row with `entries` weekly switching
// times, written to `path`. Returns the image as the file stores it.
Image MakeProgramFile(const QString& path, int row, int entries, ProgramModel* modelOut = nullptr);

// The first `size` numbers of a program file or card.dat.
Image ImageOfFile(const QString& path, int size);

QByteArray ReadWholeFile(const QString& path);
QStringList ReadLines(const QString& path);
Image ToImage(const QByteArray& bytes);

// The serial adapter emulator on a pseudo terminal, as a separate process.
class EmulatorProcess {
public:
    // Starts it with `eeprom` and the extra arguments; false when it could
    // not start (skipReason() tells why a test should be skipped).
    bool start(const QString& eeprom, const QStringList& args);
    ~EmulatorProcess();

    const QString& devicePath() const { return devicePath_; }
    const QString& skipReason() const { return skipReason_; }
    QString errorOutput();

private:
    std::unique_ptr<QProcess> process_;
    QString devicePath_;
    QString skipReason_;
};

} // namespace zendrik::test
