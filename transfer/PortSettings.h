#pragma once

#include <QByteArray>
#include <QString>

namespace zendrik {

struct DeviceSettings;

inline const QString kPortSettingsFileName = QStringLiteral("ports.ini");

// ports.ini: what the transfer needs on this machine beside zendrik.ini,
// whose 18 lines are fixed. One "KEY=value" line each:
//   COM1=/dev/ttyS0      device path that COM1 (port setting 4) stands for
//   COM2=/dev/ttyS1      device path that COM2 (port setting 5) stands for
//   ADAPTERTOOL=cardio   command line of the parallel-port adapter tool
//   IRTOOL=irprot        command line of the infrared tool
//   IRTIMEOUT=120        seconds the infrared tool may take for one job
//   VERIFY=1             1 read the whole chip back after writing, 0 block 0 only
//   BUS1=sim:bus-sim.ini the bus connection of the bus window's first interface
//   BUS2=                ... and of the second
// Unknown lines are ignored, missing keys keep their values. Returns
// whether the file could be read.
bool ReadPortSettings(const QString& path, DeviceSettings& device);
bool WritePortSettings(const QString& path, const DeviceSettings& device, QString* error = nullptr);
QByteArray PortSettingsText(const DeviceSettings& device);
void ParsePortSettings(const QByteArray& text, DeviceSettings& device);

// The device path of a serial port setting (4 = COM1, 5 = COM2).
QString SerialDevicePath(const DeviceSettings& device, int lpt);

} // namespace zendrik
