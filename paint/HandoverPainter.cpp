#include "paint/HandoverPainter.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/DayProfile.h"
#include "calendar/TagPrio.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "paint/PrintPainter.h"
#include "paint/YearGraphPainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zendrik {

namespace {

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("Sans Serif"), points);
    f.setBold(bold);
    return f;
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
        // A long value (the last transfer in words) goes on in the next line.
        const QRect room(margin + captionWidth, y, width - captionWidth, device.height());
        painter.setFont(plain);
        const QRect used = painter.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, value);
        painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, value);
        y += std::max(used.height(), QFontMetrics(plain, &device).height());
    }
    y += QFontMetrics(plain, &device).height();
    // The channels with their yearly operating hours at the right margin.
    const QFontMetrics fm(plain, &device);
    const auto hours = [&](const QFont& f, const QString& text) {
        painter.setFont(f);
        painter.drawText(QRect(margin, y - fm.height(), width, fm.height()), Qt::AlignRight | Qt::AlignVCenter, text);
    };
    line(painter, device, y, bold, texts(TextId::Channels).trimmed());
    hours(bold, doc.hoursHeading);
    for (int c = 0; c < doc.channelNames.size(); ++c) {
        line(painter, device, y, plain, doc.channelNames[c], captionWidth);
        if (c < static_cast<int>(doc.channels.size()))
            hours(plain, BetriebsdauerText(doc.channels[static_cast<std::size_t>(c)].yearMinutes, texts).trimmed());
    }

    PaintSignatureBlock(painter, device, doc.signatureNote, doc.signatures, doc.placeAndDate);
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
    for (const int state : {ProfileEin, ProfileAus, ProfileImpulsEin})
        item(YearGraphStateColour(state), YearGraphStateName(state, texts));
    for (int p = 0; p <= kTagPrioPermanentAus; ++p)
        item(YearGraphPriorityColour(p), YearGraphPriorityName(p, texts));
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
    // The chart of the channel: a row per day of the year, a column per
    // minute, the priority strip on the right.
    const YearGraphLayout layout(QRect(margin, y, device.width() - 2 * margin, bottom - y), doc.simulation->Tage(),
                                 font(7), &device, texts);
    PaintYearGraph(painter, layout, *doc.simulation, channel.channel, texts);
}

} // namespace

int SignatureBlockHeight(const QPagedPaintDevice& device)
{
    return QFontMetrics(font(10), &device).height() * 10 + PageFooterHeight(device);
}

void PaintSignatureBlock(QPainter& painter, QPagedPaintDevice& device, const QString& note,
                         const QStringList& signatures, const QString& placeAndDate)
{
    // The signatures at the foot of the page: a line for each, the caption under it.
    const QFont plain = font(10);
    const QFont bold = font(10, true);
    const QFontMetrics fm(plain, &device);
    const int margin = PageMargin(device);
    const int width = device.width() - 2 * margin;
    const int gap = width / 10;
    const int lineWidth = (width - gap) / 2;
    const int foot = device.height() - margin - PageFooterHeight(device) - fm.height() * 6;
    painter.setFont(plain);
    painter.drawText(QRect(margin, foot - fm.height() * 4, width, fm.height() * 3),
                     Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, note);
    for (int i = 0; i < signatures.size() && i < 2; ++i) {
        const int x = margin + i * (lineWidth + gap);
        painter.setFont(bold);
        painter.drawText(QRect(x, foot, lineWidth, fm.height()), Qt::AlignLeft, signatures[i]);
        const int rule = foot + fm.height() * 4;
        painter.drawLine(x, rule, x + lineWidth, rule);
        painter.setFont(plain);
        painter.drawText(QRect(x, rule + fm.height() / 4, lineWidth, fm.height()), Qt::AlignLeft, placeAndDate);
    }
}

int PaintHandover(const HandoverDocument& document, const TextTable& texts, QPainter& painter,
                  QPagedPaintDevice& device, int firstPage)
{
    int page = firstPage;
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
    return page - firstPage + 1;
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
