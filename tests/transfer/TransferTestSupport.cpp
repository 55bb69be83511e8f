#include "tests/transfer/TransferTestSupport.h"

#include "editing/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"

#include <QFile>

namespace zendrik::test {

Image MakeProgramFile(const QString& path, int row, int entries, ProgramModel* modelOut)
{
    ProgramModel model;
    model.clock = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26)); };
    StartNewProgram(model, row, QStringLiteral("unbekannt"), path);
    ProgramSlot& s = model.program();
    for (int i = 0; i < entries && i < model.device.MaxEintrag; ++i) {
        // Distinct times, weekdays and channels, so every block of the
        // image differs from its neighbours.
        s.Eintrag[static_cast<std::size_t>(i)] =
            BuildWeeklyEntry((i * 7) % 1440, 1 + i % 127, 1 + i % 15 % model.device.Kanalzahl, i % 2, 0, i % 10);
    }
    s.AnzSz = std::min(entries, model.device.MaxEintrag);
    s.AnzEintrag = s.AnzSz;
    s.Verwendung = QStringLiteral("Halle 3");
    ScriptedInteraction yes = ScriptedInteraction::answering(true);
    SaveProgram(model, yes);
    if (modelOut)
        *modelOut = model;
    return ImageOfFile(path, model.device.Speichergroesse);
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Image ImageOfFile(const QString& path, int size)
{
    return ReadImageNumbers(ReadWholeFile(path), size);
}

QStringList ReadLines(const QString& path)
{
    QString text = QString::fromLatin1(ReadWholeFile(path));
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
}

Image ToImage(const QByteArray& bytes)
{
    Image image;
    for (const char c : bytes)
        image.push_back(static_cast<quint8>(c));
    return image;
}

bool EmulatorProcess::start(const QString& eeprom, const QStringList& args)
{
    process_ = std::make_unique<QProcess>();
    process_->setProgram(QStringLiteral(ZENDRIK_ADAPTER_EMULATOR));
    process_->setArguments(QStringList{QStringLiteral("--eeprom"), eeprom} + args);
    process_->start();
    if (!process_->waitForStarted(5000)) {
        skipReason_ = QStringLiteral("the emulator did not start");
        return false;
    }
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(5000)) {
            process_->waitForFinished(1000);
            const QString err = QString::fromLocal8Bit(process_->readAllStandardError());
            skipReason_ = process_->exitCode() == 77 ? QStringLiteral("no pseudo terminal here: ") + err
                                                     : QStringLiteral("emulator failed: ") + err;
            return false;
        }
    }
    devicePath_ = QString::fromLocal8Bit(process_->readLine()).trimmed();
    return !devicePath_.isEmpty();
}

QString EmulatorProcess::errorOutput()
{
    return process_ ? QString::fromLocal8Bit(process_->readAllStandardError()) : QString();
}

EmulatorProcess::~EmulatorProcess()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000))
            process_->kill();
        process_->waitForFinished(1000);
    }
}

} // namespace zendrik::test
