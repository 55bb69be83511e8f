#include "ui/paint/HandoverPainter.h"

#include "calendar/DayProfile.h"
#include "calendar/TagPrio.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "ui/paint/PrintPainter.h"
#include "util/CalendarMath.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace zendrik {

namespace {

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("Sans Serif"), points);
    f.setBold(bold);
    return f;
}

// Colours of the chart: what the channel does, and the day's priority.
QColor stateColour(int state)
{
    switch (state) {
    case ProfileEin:
        return QColor(0x1f, 0x5f, 0xa8);
    case ProfileImpulsEin:
    case ProfileImpulsAus:
        return QColor(0xd0, 0x30, 0x20);
    default:
        return Qt::white;
    }
}

QColor priorityColour(int priority)
{
    if (priority == kTagPrioPermanentEin)
        return QColor(0x20, 0x90, 0x40);
    if (priority == kTagPrioPermanentAus)
        return QColor(0x30, 0x30, 0x30);
    if (priority <= 0)
        return QColor(0xe8, 0xe8, 0xe8);
    return QColor::fromHsv((priority - 1) * 36, 170, 235);
}

QString priorityName(int priority, const TextTable& texts)
{
    if (priority == kTagPrioPermanentEin)
        return texts(TextId::Permanent).trimmed() + QLatin1Char(' ') + texts(TextId::On).trimmed();
    if (priority == kTagPrioPermanentAus)
        return texts(TextId::Permanent).trimmed() + QLatin1Char(' ') + texts(TextId::Off).trimmed();
    return QStringLiteral("P%1").arg(priority);
}

QString monthName(int month, const TextTable& texts)
{
    return texts(static_cast<TextId>(static_cast<int>(TextId::January) + month - 1)).trimmed();
}

// A line of text at the top of what is left of the page; moves `y` on.
void line(QPainter& painter, const QPagedPaintDevice& device, int& y, const QFont& f, const QString& text,
          int indent = 0)
{
    const int margin = PageMargin(device);
    const QFontMetrics fm(f, &device);
    painter.setFont(f);
    const int width = device.width() - 2 * margin - indent;
    painter.drawText(QRect(margin + indent, y, width, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     fm.elidedText(text, Qt::ElideRight, width));
    y += fm.height();
}

void paintCover(const HandoverDocument& doc, const TextTable& texts, QPainter& painter, QPagedPaintDevice& device)
{
    const int margin = PageMargin(device);
    const int width = device.width() - 2 * margin;
    int y = margin;
    line(painter, device, y, font(18, true), doc.heading);
    y += QFontMetrics(font(10), &device).height();

    // Caption and value in two columns.
    const QFont plain = font(10);
    const QFont bold = font(10, true);
    int captionWidth = 0;
    for (const auto& [caption, value] : doc.cover)
        captionWidth = std::max(captionWidth, QFontMetrics(bold, &device).horizontalAdvance(caption));
    captionWidth += QFontMetrics(plain, &device).averageCharWidth() * 3;
    for (const auto& [caption, value] : doc.cover) {
        int at = y;
        line(painter, device, at, bold, caption);
        line(painter, device, y, plain, value, captionWidth);
    }
    y += QFontMetrics(plain, &device).height();
    line(painter, device, y, bold, texts(TextId::Channels).trimmed());
    for (const QString& name : doc.channelNames)
        line(painter, device, y, plain, name, captionWidth);

    // The signatures at the foot of the page: a line for each, the caption under it.
    const QFontMetrics fm(plain, &device);
    const int gap = width / 10;
    const int lineWidth = (width - gap) / 2;
    int foot = device.height() - margin - PageFooterHeight(device) - fm.height() * 6;
    QRect note(margin, foot - fm.height() * 4, width, fm.height() * 3);
    painter.setFont(plain);
    painter.drawText(note, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, doc.signatureNote);
    for (int i = 0; i < doc.signatures.size() && i < 2; ++i) {
        const int x = margin + i * (lineWidth + gap);
        painter.setFont(bold);
        painter.drawText(QRect(x, foot, lineWidth, fm.height()), Qt::AlignLeft, doc.signatures[i]);
        const int rule = foot + fm.height() * 4;
        painter.drawLine(x, rule, x + lineWidth, rule);
        painter.setFont(plain);
        painter.drawText(QRect(x, rule + fm.height() / 4, lineWidth, fm.height()), Qt::AlignLeft, doc.placeAndDate);
    }
}

// The chart of one channel: a row per day of the year from top to bottom,
// minute 0 to 1440 from left to right, the priority strip on the right.
// Every switched stretch is at least one device pixel wide, so a one-minute
// pulse shows.
void paintYearChart(QPainter& painter, const QRect& area, const YearSimulation& sim, int channel,
                    const TextTable& texts, const QPagedPaintDevice& device)
{
    const QFont small = font(7);
    const QFontMetrics fm(small, &device);
    int labelWidth = 0;
    for (int month = 0; month < 12; ++month)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(monthName(month + 1, texts)));
    labelWidth += 2 * fm.averageCharWidth();
    const int stripWidth = area.width() / 30;
    const int gap = fm.averageCharWidth();
    const QRect chart(area.left() + labelWidth, area.top() + fm.height(),
                      area.width() - labelWidth - stripWidth - gap, area.height() - fm.height());
    const QRect strip(chart.right() + gap, chart.top(), stripWidth, chart.height());
    const int days = sim.Tage();
    auto dayTop = [&](int day) { return chart.top() + static_cast<long long>(day - 1) * chart.height() / days; };
    auto minuteX = [&](int minute) { return chart.left() + static_cast<long long>(minute) * chart.width() / kMinutesOfDay; };

    painter.fillRect(chart, Qt::white);
    for (int day = 1; day <= days; ++day) {
        const int top = static_cast<int>(dayTop(day));
        const int height = std::max(1, static_cast<int>(dayTop(day + 1)) - top);
        const DayProfile profile = sim.Rechne_SzGrafik(channel, day);
        int start = 0;
        for (const ProfileSegment& s : profile.segments) {
            if (s.state != ProfileAus) {
                const int x = static_cast<int>(minuteX(start));
                const int w = std::max(1, static_cast<int>(minuteX(start + s.length)) - x);
                painter.fillRect(QRect(x, top, w, height), stateColour(s.state));
            }
            start += s.length;
        }
        painter.fillRect(QRect(strip.left(), top, strip.width(), height),
                         priorityColour(sim.Prioritaeten()(channel, day)));
    }

    // Hours along the top, months down the left with a rule at each first day.
    painter.setFont(small);
    painter.setPen(QPen(Qt::black, 0));
    for (int hour = 0; hour <= 24; hour += 3) {
        const int x = static_cast<int>(minuteX(hour * 60));
        painter.drawText(QRect(x - labelWidth, area.top(), 2 * labelWidth, fm.height()), Qt::AlignCenter,
                         QString::number(hour));
        painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 0));
        painter.drawLine(x, chart.top(), x, chart.bottom());
        painter.setPen(QPen(Qt::black, 0));
    }
    int first = 1;
    for (int month = 1; month <= 12; ++month) {
        const int top = static_cast<int>(dayTop(first));
        const int next = first + TageImMonat(month, sim.SimJahr());
        painter.drawLine(chart.left() - gap, top, strip.right(), top);
        painter.drawText(QRect(area.left(), top, labelWidth - gap, static_cast<int>(dayTop(next)) - top),
                         Qt::AlignLeft | Qt::AlignVCenter, monthName(month, texts));
        first = next;
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart);
    painter.drawRect(strip);
}

// The colours of the chart explained, in one or two lines under it.
void paintLegend(QPainter& painter, QPagedPaintDevice& device, int& y, const TextTable& texts)
{
    const QFont small = font(8);
    const QFontMetrics fm(small, &device);
    const int margin = PageMargin(device);
    const int box = fm.height() * 2 / 3;
    int x = margin;
    painter.setFont(small);
    auto item = [&](const QColor& colour, const QString& text) {
        const int w = box + fm.averageCharWidth() + fm.horizontalAdvance(text) + fm.averageCharWidth() * 3;
        if (x + w > device.width() - margin) {
            x = margin;
            y += fm.height();
        }
        painter.fillRect(QRect(x, y + (fm.height() - box) / 2, box, box), colour);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(QRect(x, y + (fm.height() - box) / 2, box, box));
        painter.drawText(QRect(x + box + fm.averageCharWidth(), y, w, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        x += w;
    };
    item(stateColour(ProfileEin), texts(TextId::On).trimmed());
    item(stateColour(ProfileAus), texts(TextId::Off).trimmed());
    item(stateColour(ProfileImpulsEin), texts(TextId::Pulse).trimmed());
    for (int p = 0; p <= kTagPrioPermanentAus; ++p)
        item(priorityColour(p), priorityName(p, texts));
    y += fm.height();
}

void paintChannel(const HandoverDocument& doc, const HandoverChannel& channel, const TextTable& texts,
                  QPainter& painter, QPagedPaintDevice& device)
{
    const int margin = PageMargin(device);
    int y = margin;
    line(painter, device, y, font(12, true), doc.yearHeading);
    line(painter, device, y, font(11, true), channel.heading);
    line(painter, device, y, font(10), channel.operatingHours.trimmed());
    y += QFontMetrics(font(8), &device).height() / 2;
    paintLegend(painter, device, y, texts);
    y += QFontMetrics(font(8), &device).height() / 2;
    const int bottom = device.height() - margin - PageFooterHeight(device);
    paintYearChart(painter, QRect(margin, y, device.width() - 2 * margin, bottom - y), *doc.simulation,
                   channel.channel, texts, device);
}

} // namespace

int PaintHandover(const HandoverDocument& document, const TextTable& texts, QPainter& painter,
                  QPagedPaintDevice& device)
{
    int page = 1;
    paintCover(document, texts, painter, device);
    PaintPageFooter(painter, device, texts, page);
    device.newPage();
    page += PrintPainter(document.print, texts).paint(painter, device, page + 1);
    for (const HandoverChannel& channel : document.channels) {
        device.newPage();
        ++page;
        paintChannel(document, channel, texts, painter, device);
        PaintPageFooter(painter, device, texts, page);
    }
    return page;
}

bool WriteHandoverPdf(const HandoverDocument& document, const TextTable& texts, const QString& path,
                      QString* error, int* pages)
{
    return WritePdfFile(
        path, document.heading + QStringLiteral(" ") + document.print.title.fileName,
        [&](QPainter& painter, QPagedPaintDevice& device) { return PaintHandover(document, texts, painter, device); },
        error, pages);
}

} // namespace zendrik
