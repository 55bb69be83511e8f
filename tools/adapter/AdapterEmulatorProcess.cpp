#include "tools/adapter/AdapterEmulatorProcess.h"

namespace zendrik {

namespace {

constexpr int kStartTimeoutMs = 5000;
// The emulator's exit code when no pseudo terminal can be made.
constexpr int kNoPtyExitCode = 77;

} // namespace

AdapterEmulatorProcess::AdapterEmulatorProcess(QString program) : program_(std::move(program)) { }

bool AdapterEmulatorProcess::start(const QString& eeprom, const QStringList& args)
{
    process_ = std::make_unique<QProcess>();
    process_->setProgram(program_);
    process_->setArguments(QStringList{QStringLiteral("--eeprom"), eeprom} + args);
    process_->start();
    if (!process_->waitForStarted(kStartTimeoutMs)) {
        failure_ = QStringLiteral("the emulator did not start");
        return false;
    }
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(kStartTimeoutMs)) {
            process_->waitForFinished(1000);
            noPty_ = process_->exitCode() == kNoPtyExitCode;
            failure_ = QString::fromLocal8Bit(process_->readAllStandardError()).trimmed();
            return false;
        }
    }
    devicePath_ = QString::fromLocal8Bit(process_->readLine()).trimmed();
    return !devicePath_.isEmpty();
}

QString AdapterEmulatorProcess::errorOutput()
{
    return process_ ? QString::fromLocal8Bit(process_->readAllStandardError()) : QString();
}

AdapterEmulatorProcess::~AdapterEmulatorProcess()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000))
            process_->kill();
        process_->waitForFinished(1000);
    }
}

} // namespace zendrik
