#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace zendrik {

// Runs zendrik-adapter-emulator as a child process and learns the device
// path of its pseudo terminal. Stops it when destroyed.
class AdapterEmulatorProcess {
public:
    explicit AdapterEmulatorProcess(QString program);
    ~AdapterEmulatorProcess();

    // Starts it on the chip file `eeprom` with the extra arguments. False
    // when it did not come up; failure() tells why, and noPty() whether
    // this machine cannot make a pseudo terminal at all.
    bool start(const QString& eeprom, const QStringList& args);

    const QString& devicePath() const { return devicePath_; }
    const QString& failure() const { return failure_; }
    bool noPty() const { return noPty_; }
    QString errorOutput();

private:
    QString program_;
    std::unique_ptr<QProcess> process_;
    QString devicePath_;
    QString failure_;
    bool noPty_ = false;
};

} // namespace zendrik
