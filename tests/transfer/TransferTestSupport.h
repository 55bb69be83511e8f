#pragma once

#include "model/DeviceImage.h"
#include "model/ProgramModel.h"
#include "tools/adapter/AdapterEmulatorProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
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
QByteArray Bytes(std::initializer_list<int> values);

// The serial adapter emulator on a pseudo terminal, as a separate process.
class EmulatorProcess : public AdapterEmulatorProcess {
public:
    EmulatorProcess() : AdapterEmulatorProcess(QStringLiteral(ZENDRIK_ADAPTER_EMULATOR)) {}
};

} // namespace zendrik::test
