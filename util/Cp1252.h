#pragma once

#include <QByteArray>
#include <QString>

namespace zendrik::Cp1252 {

// Text in program files, holiday and place files is 8-bit Windows-1252, as
// the files that devices and installations already have. Inside, the program
// works with Unicode and converts at the file boundary.
QString decode(const QByteArray& bytes);
bool canEncode(const QString& text);
// Characters without a Windows-1252 byte become '?'; callers that must not
// lose text check canEncode first.
QByteArray encode(const QString& text);

} // namespace zendrik::Cp1252
