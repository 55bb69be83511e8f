#pragma once

#include "calendar/AstroEingabe.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace zendrik {

// The small year chart of the astro dialog: the switching times at sunrise
// and at sunset for every day (winter time), the morning and evening limits
// as dashed lines, and today marked. Hours of the day run upwards, the
// months to the right; a wrong east/west sign shifts both curves by hours.
struct AstroCurve {
    const AstroPreview* preview = nullptr;
    int morning = 0;
    int evening = 1439;
    QString title;
    QString monthInitials = QStringLiteral("JFMAMJJASOND");
};

void PaintAstroCurve(QPainter& painter, const QRectF& area, const AstroCurve& curve);

} // namespace zendrik
