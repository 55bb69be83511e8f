#pragma once

#include "model/DeviceImage.h"

#include <QByteArray>
#include <QString>

namespace zendrik {

inline const QString kCardDatFileName = QStringLiteral("card.dat");

// card.dat: a chip image as the adapter tool has always written it. Line 1
// holds bytes 0..3, then 20 lines of five values hold bytes 4..103, then
// lines of six values hold 104 to the end (one entry per line). Each value
// is a blank, its digits and a blank, lines end with CR LF. The program-file
// reader takes it as a plain stream of numbers.
QByteArray CardDatText(const Image& image);

} // namespace zendrik
