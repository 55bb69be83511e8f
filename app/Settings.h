#pragma once

#include <QString>

namespace zendrik {

struct DeviceSettings;
class ProgramModel;

inline const QString kSettingsFileName = QStringLiteral("zendrik.ini");

// zendrik.ini: 18 lines, one key each, in a fixed order. Keys with trailing
// zeros pad the value the way older versions read it back (by its last
// characters); this version reads the value after the "=", which gives the
// same numbers for those files and keeps two-digit values whole.
// A missing or short file leaves the start values in place. Returns whether
// the file could be read.
bool ReadSettings(const QString& path, DeviceSettings& device);
bool WriteSettings(const QString& path, const DeviceSettings& device, QString* error = nullptr);

// The settings file's text for the settings (18 lines with CR LF).
QByteArray SettingsFileText(const DeviceSettings& device);

// The numeric value at the start of a text, as the settings reader takes it
// ("002.5" gives 2.5, "-1" gives -1, anything else 0).
double LeadingNumber(const QString& text);

} // namespace zendrik
