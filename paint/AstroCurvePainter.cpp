#include "paint/AstroCurvePainter.h"

#include "util/CalendarMath.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace zendrik {

namespace {

constexpr double kMinutesPerDay = 1440.0;

QPainterPath CurvePath(const std::array<std::optional<int>, kAstroYearDays>& times, int days,
                       const QRectF& plot)
{
    QPainterPath path;
    bool open = false;
    for (int i = 0; i < days; ++i) {
        const std::optional<int>& t = times[static_cast<std::size_t>(i)];
        if (!t || *t < 0 || *t >= kMinutesPerDay) {
            open = false; // a gap where the device does not switch
            continue;
        }
        const QPointF p(plot.left() + plot.width() * (i + 0.5) / days,
                        plot.bottom() - plot.height() * *t / kMinutesPerDay);
        if (open)
            path.lineTo(p);
        else
            path.moveTo(p);
        open = true;
    }
    return path;
}

} // namespace

void PaintAstroCurve(QPainter& painter, const QRectF& area, const AstroCurve& curve)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);
    const QFontMetricsF fm(painter.font());
    const double left = fm.horizontalAdvance(QStringLiteral("24")) + 8.0;
    const double top = fm.height() + 4.0;
    const QRectF plot(area.left() + left, area.top() + top, area.width() - left - 6.0,
                      area.height() - top - fm.height() - 6.0);
    if (plot.width() < 20 || plot.height() < 20) {
        painter.restore();
        return;
    }

    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), top), Qt::AlignCenter, curve.title);

    // Hours every six, months at their first day.
    const int days = curve.preview ? curve.preview->days : 365;
    painter.setPen(QPen(QColor(220, 220, 220), 1));
    for (int h = 0; h <= 24; h += 6) {
        const double y = plot.bottom() - plot.height() * h / 24.0;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.save();
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(area.left(), y - fm.height() / 2, left - 4, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(h));
        painter.restore();
    }
    const int year = days == 366 ? 2024 : 2025;
    for (int m = 1; m <= 12; ++m) {
        const int first = DayOfYear(1, m, year) - 1;
        const double x = plot.left() + plot.width() * first / days;
        const double next = plot.left() + plot.width() * (TageBisMonatsende(m, year)) / days;
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.save();
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x, plot.bottom() + 2, next - x, fm.height()), Qt::AlignCenter,
                         curve.monthInitials.mid(m - 1, 1));
        painter.restore();
    }
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(plot);

    // The limits: no switching before the morning limit, none after the evening limit.
    QPen limit(QColor(200, 40, 40), 1.2, Qt::DashLine);
    painter.setPen(limit);
    for (const int minutes : {curve.morning, curve.evening}) {
        const double y = plot.bottom() - plot.height() * minutes / kMinutesPerDay;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }

    if (curve.preview) {
        const AstroPreview& p = *curve.preview;
        painter.setPen(QPen(QColor(230, 140, 0), 2));
        painter.drawPath(CurvePath(p.rise, days, plot));
        painter.setPen(QPen(QColor(30, 70, 170), 2));
        painter.drawPath(CurvePath(p.set, days, plot));
        painter.setPen(QPen(QColor(0, 140, 0), 1, Qt::DotLine));
        const double x = plot.left() + plot.width() * (p.today + 0.5) / days;
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.restore();
}

} // namespace zendrik
