#pragma once

#include <QIcon>
#include <QPixmap>

namespace zendrik {

// The program's pictures, drawn at run time so that they stay sharp at
// every scale and need no resource files.
namespace Icons {

// The list filter: a funnel, amber while the filter is on, grey and struck
// through while it is off.
QIcon Filter(bool on);
// Write protection: a closed or an open padlock.
QIcon Lock();
// Saving: a disk.
QIcon Save();
// Printing: a printer with a sheet.
QIcon Print();
// The introduction program.
QIcon Play();
// Further languages: a globe.
QIcon Globe();
// An entry was stored: a white check mark on a green disc.
QIcon CheckMark();
// The start-screen picture: the product name on a clock face.
QPixmap Banner(const QString& title, const QString& subtitle, QSize size);

} // namespace Icons

} // namespace zendrik
