#include "paint/YearGraphPainter.h"

#include "calendar/DayProfile.h"
#include "calendar/TagPrio.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/ExportTarget.h"
#include "util/CalendarMath.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace zendrik {

namespace {

constexpr int kHourStep = 3;

QString monthName(int month, const TextTable& texts)
{
    return texts(static_cast<TextId>(static_cast<int>(TextId::January) + month - 1)).trimmed();
}

// The first value in low..high whose edge lies beyond `pixel`, minus one:
// the cell a pixel falls in, for edges that grow with the value.
template <typename Edge>
int CellAt(int pixel, int guess, int low, int high, Edge edge)
{
    int cell = std::clamp(guess, low, high);
    while (cell < high && edge(cell + 1) <= pixel)
        ++cell;
    while (cell > low && edge(cell) > pixel)
        --cell;
    return cell;
}

// The first minute painted at a pixel column: where several minutes share
// the column, the earliest of them.
template <typename Edge>
int FirstMinuteAt(int x, int guess, Edge minuteX)
{
    int minute = CellAt(x, guess, 0, kMinutesOfDay - 1, minuteX);
    while (minute > 0 && minuteX(minute - 1) == minuteX(minute))
        --minute;
    return minute;
}

} // namespace

QColor YearGraphStateColour(int state)
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

QColor YearGraphPriorityColour(int priority)
{
    if (priority == kTagPrioPermanentEin)
        return QColor(0x20, 0x90, 0x40);
    if (priority == kTagPrioPermanentAus)
        return QColor(0x30, 0x30, 0x30);
    if (priority <= 0)
        return QColor(0xe8, 0xe8, 0xe8);
    return QColor::fromHsv((priority - 1) * 36, 170, 235);
}

QString YearGraphPriorityName(int priority, const TextTable& texts)
{
    if (priority == kTagPrioPermanentEin)
        return texts(TextId::Permanent).trimmed() + QLatin1Char(' ') + texts(TextId::On).trimmed();
    if (priority == kTagPrioPermanentAus)
        return texts(TextId::Permanent).trimmed() + QLatin1Char(' ') + texts(TextId::Off).trimmed();
    return QStringLiteral("P%1").arg(priority);
}

YearGraphLayout::YearGraphLayout(const QRect& area_, int days_, const QFont& font_, const QPaintDevice* device,
                                 const TextTable& texts)
    : area(area_), font(font_), days(std::max(1, days_))
{
    const QFontMetrics fm(font, device);
    for (int month = 0; month < 12; ++month)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(monthName(month + 1, texts)));
    labelWidth += 2 * fm.averageCharWidth();
    textHeight = fm.height();
    gap = fm.averageCharWidth();
    const int stripWidth = area.width() / 30;
    chart = QRect(area.left() + labelWidth, area.top() + textHeight, area.width() - labelWidth - stripWidth - gap,
                  area.height() - textHeight);
    strip = QRect(chart.right() + gap, chart.top(), stripWidth, chart.height());
}

int YearGraphLayout::dayTop(int day) const
{
    return chart.top() + static_cast<int>(static_cast<long long>(day - 1) * chart.height() / days);
}

int YearGraphLayout::minuteX(int minute) const
{
    return chart.left() + static_cast<int>(static_cast<long long>(minute) * chart.width() / kMinutesOfDay);
}

int YearGraphLayout::dayAt(int y) const
{
    if (chart.height() <= 0 || y < chart.top() || y >= chart.top() + chart.height())
        return 0;
    const int guess = static_cast<int>(static_cast<long long>(y - chart.top()) * days / chart.height()) + 1;
    return CellAt(y, guess, 1, days, [this](int d) { return dayTop(d); });
}

std::vector<std::pair<int, QRect>> YearGraphLayout::monthLabels(int year) const
{
    std::vector<std::pair<int, QRect>> labels;
    int free = chart.top();
    int first = 1;
    for (int month = 1; month <= 12; ++month) {
        const int next = first + TageImMonat(month, year);
        const int top = dayTop(first);
        const int bottom = dayTop(next);
        // A month shorter than a line of text gets a line from its top.
        const QRect label(area.left(), top, labelWidth - gap, std::max(bottom - top, textHeight));
        if (label.top() >= free && label.top() + label.height() <= area.top() + area.height()) {
            labels.emplace_back(month, label);
            free = label.top() + label.height();
        }
        first = next;
    }
    return labels;
}

int YearGraphLayout::minuteAt(int x) const
{
    if (chart.width() <= 0 || x < chart.left() || x >= chart.left() + chart.width())
        return -1;
    const int guess = static_cast<int>(static_cast<long long>(x - chart.left()) * kMinutesOfDay / chart.width());
    return FirstMinuteAt(x, guess, [this](int m) { return minuteX(m); });
}

void PaintYearGraph(QPainter& painter, const YearGraphLayout& layout, const YearSimulation& sim, int channel,
                    const TextTable& texts)
{
    const QRect& chart = layout.chart;
    const QRect& strip = layout.strip;
    const int days = layout.days;

    painter.fillRect(chart, Qt::white);
    for (int day = 1; day <= days; ++day) {
        const int top = layout.dayTop(day);
        const int height = std::max(1, layout.dayTop(day + 1) - top);
        const DayProfile profile = sim.Rechne_SzGrafik(channel, day);
        // The ON stretches first, then the pulses over them: where a column
        // stands for more than one minute, an ON stretch right after a pulse
        // would otherwise cover it.
        for (const bool pulses : {false, true}) {
            int start = 0;
            for (const ProfileSegment& s : profile.segments) {
                const bool pulse = s.state == ProfileImpulsEin || s.state == ProfileImpulsAus;
                if (s.state != ProfileAus && pulse == pulses) {
                    const int x = layout.minuteX(start);
                    const int w = std::max(1, layout.minuteX(start + s.length) - x);
                    painter.fillRect(QRect(x, top, w, height), YearGraphStateColour(s.state));
                }
                start += s.length;
            }
        }
        painter.fillRect(QRect(strip.left(), top, strip.width(), height),
                         YearGraphPriorityColour(sim.Prioritaeten()(channel, day)));
    }

    PaintYearGraphFrame(painter, layout, sim.SimJahr(), texts);
}

void PaintYearGraphFrame(QPainter& painter, const YearGraphLayout& layout, int year, const TextTable& texts)
{
    const QRect& chart = layout.chart;
    const QRect& strip = layout.strip;
    // Hours along the top, months down the left with a rule at each first day.
    painter.setFont(layout.font);
    painter.setPen(QPen(Qt::black, 0));
    const QRect& area = layout.area;
    for (int hour = 0; hour <= 24; hour += kHourStep) {
        const int x = layout.minuteX(hour * 60);
        painter.drawText(QRect(x - layout.labelWidth, area.top(), 2 * layout.labelWidth, layout.textHeight),
                         Qt::AlignCenter, QString::number(hour));
        painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 0));
        painter.drawLine(x, chart.top(), x, chart.bottom());
        painter.setPen(QPen(Qt::black, 0));
    }
    int first = 1;
    for (int month = 1; month <= 12; ++month) {
        const int top = layout.dayTop(first);
        painter.drawLine(chart.left() - layout.gap, top, strip.right(), top);
        first += TageImMonat(month, year);
    }
    for (const auto& [month, label] : layout.monthLabels(year))
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, monthName(month, texts));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart);
    painter.drawRect(strip);
}

void PaintSelectedDay(QPainter& painter, const YearGraphLayout& layout, int day)
{
    if (day < 1 || day > layout.days)
        return;
    // A frame around the day's row, at least three pixels high, and a
    // pointer in the gap left of the chart.
    const int top = layout.dayTop(day);
    const int bottom = std::max(top + 1, layout.dayTop(day + 1));
    const int middle = (top + bottom) / 2;
    const QRect row(layout.chart.left(), std::min(top, middle - 1), layout.strip.right() - layout.chart.left() + 1,
                    std::max(bottom - top, 3));
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xff, 0x8c, 0x00), 1));
    painter.drawRect(row.adjusted(0, 0, -1, -1));
    const int g = std::max(3, layout.gap);
    const QPoint tip(layout.chart.left() - 1, middle);
    const QPoint pointer[3] = {tip, QPoint(tip.x() - g, middle - g / 2 - 1), QPoint(tip.x() - g, middle + g / 2 + 1)};
    painter.setBrush(QColor(0xff, 0x8c, 0x00));
    painter.drawPolygon(pointer, 3);
    painter.restore();
}

QFont SimulationGraphFont()
{
    return QFont(QStringLiteral("Sans Serif"), 8);
}

YearGraphLayout YearGraphPictureLayout(const QImage& picture, int days, const TextTable& texts)
{
    return YearGraphLayout(picture.rect().adjusted(4, 4, -4, -4), days, SimulationGraphFont(), &picture, texts);
}

QImage RenderYearGraph(const YearSimulation& sim, int channel, const TextTable& texts, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintYearGraph(painter, YearGraphPictureLayout(image, sim.Tage(), texts), sim, channel, texts);
    return image;
}

QString YearGraphStateName(int state, const TextTable& texts)
{
    if (state == ProfileImpulsEin || state == ProfileImpulsAus)
        return texts(TextId::Pulse).trimmed();
    return texts(state == ProfileEin ? TextId::On : TextId::Off).trimmed();
}

QImage RenderYearGraphPicture(const YearSimulation& sim, int channel, const TextTable& texts, const QSize& size,
                              const QStringList& title)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QFont font = SimulationGraphFont();
    QFont bold = font;
    bold.setPointSizeF(font.pointSizeF() * 1.25);
    bold.setBold(true);
    const QFontMetrics fm(font, &image);
    const QFontMetrics fmBold(bold, &image);
    const int margin = 6;
    const QRect inner = image.rect().adjusted(margin, margin, -margin, -margin);

    // The title lines.
    int y = inner.top();
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < title.size(); ++i) {
        painter.setFont(i == 0 ? bold : font);
        const int h = (i == 0 ? fmBold : fm).height();
        painter.drawText(QRect(inner.left(), y, inner.width(), h), Qt::AlignLeft | Qt::AlignVCenter, title[i]);
        y += h;
    }
    y += fm.height() / 2;

    // The legend: a coloured square and its name per item, flowing in rows.
    struct Item {
        QColor colour;
        QString name;
    };
    std::vector<Item> items;
    for (const int state : {ProfileEin, ProfileAus, ProfileImpulsEin})
        items.push_back({YearGraphStateColour(state), YearGraphStateName(state, texts)});
    for (int p = 0; p <= kTagPrioPermanentAus; ++p)
        items.push_back({YearGraphPriorityColour(p), YearGraphPriorityName(p, texts)});
    const int box = fm.height() * 2 / 3;
    const int gap = fm.averageCharWidth() * 2;
    std::vector<std::pair<QPoint, const Item*>> placed;
    int x = 0;
    int rows = 1;
    for (const Item& item : items) {
        const int w = box + fm.averageCharWidth() + fm.horizontalAdvance(item.name);
        if (x > 0 && x + w > inner.width()) {
            x = 0;
            ++rows;
        }
        placed.emplace_back(QPoint(x, (rows - 1) * fm.height()), &item);
        x += w + gap;
    }
    const int legendTop = inner.bottom() + 1 - rows * fm.height();
    painter.setFont(font);
    for (const auto& [at, item] : placed) {
        const QPoint origin = at + QPoint(inner.left(), legendTop);
        const QRect square(origin.x(), origin.y() + (fm.height() - box) / 2, box, box);
        painter.fillRect(square, item->colour);
        painter.setPen(Qt::black);
        painter.drawRect(square);
        painter.drawText(QRect(square.right() + fm.averageCharWidth(), origin.y(), inner.width(), fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, item->name);
    }

    // The graph between them.
    const QRect graph(inner.left(), y, inner.width(), std::max(1, legendTop - fm.height() / 2 - y));
    PaintYearGraph(painter, YearGraphLayout(graph, sim.Tage(), font, &image, texts), sim, channel, texts);
    return image;
}

bool WriteYearGraphPng(const QImage& image, const QString& path, QString* error)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        if (error)
            *error = QStringLiteral("PNG");
        return false;
    }
    return WriteExportFile(path, png, error);
}

DayGraphLayout::DayGraphLayout(const QRect& area_, const QFont& font_, const QPaintDevice* device,
                               const TextTable& texts)
    : area(area_), font(font_)
{
    const QFontMetrics fm(font, device);
    const int labels = std::max(fm.horizontalAdvance(texts(TextId::On).trimmed()),
                                fm.horizontalAdvance(texts(TextId::Off).trimmed()))
        + 2 * fm.averageCharWidth();
    plot = QRect(area.left() + labels, area.top() + fm.height() / 2, area.width() - labels - fm.averageCharWidth() * 2,
                 area.height() - fm.height() * 2);
    onLevel = plot.top() + plot.height() / 4;
    offLevel = plot.bottom() - 1;
}

int DayGraphLayout::minuteX(int minute) const
{
    return plot.left() + static_cast<int>(static_cast<long long>(minute) * plot.width() / kMinutesOfDay);
}

int DayGraphLayout::minuteAt(int x) const
{
    if (plot.width() <= 0 || x < plot.left() || x >= plot.left() + plot.width())
        return -1;
    const int guess = static_cast<int>(static_cast<long long>(x - plot.left()) * kMinutesOfDay / plot.width());
    return FirstMinuteAt(x, guess, [this](int m) { return minuteX(m); });
}

void PaintDayGraph(QPainter& painter, const DayGraphLayout& layout, const DayProfile& profile,
                   const TextTable& texts)
{
    const QRect& plot = layout.plot;
    const QFontMetrics fm(layout.font, painter.device());
    painter.save();
    painter.fillRect(plot, Qt::white);
    painter.setFont(layout.font);

    // An hour tick for every hour, a label wherever there is room for one.
    const int labelRoom = fm.horizontalAdvance(QStringLiteral("24")) * 2;
    int labelStep = 1;
    while (labelStep < 12 && layout.minuteX(labelStep * 60) - layout.minuteX(0) < labelRoom)
        labelStep = labelStep < 2 ? 2 : labelStep < 3 ? 3
            : labelStep < 6                           ? 6
                                                      : 12;
    for (int hour = 0; hour <= 24; ++hour) {
        const int x = layout.minuteX(hour * 60);
        painter.setPen(QPen(QColor(0xd8, 0xd8, 0xd8), 0));
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + fm.height() / 3);
        if (hour % labelStep == 0)
            painter.drawText(QRect(x - labelRoom, plot.bottom() + fm.height() / 3, 2 * labelRoom, fm.height()),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(hour));
    }

    // The ON stretches filled, then the pulses over them as bars of the
    // full height, so an ON stretch right after a pulse does not hide it.
    for (const bool pulses : {false, true}) {
        int start = 0;
        for (const ProfileSegment& s : profile.segments) {
            const int x = layout.minuteX(start);
            const int w = std::max(1, layout.minuteX(start + s.length) - x);
            const bool pulse = s.state == ProfileImpulsEin || s.state == ProfileImpulsAus;
            if (!pulses && s.state == ProfileEin) {
                painter.fillRect(QRect(x, layout.onLevel, w, layout.offLevel - layout.onLevel + 1),
                                 YearGraphStateColour(ProfileEin));
            } else if (pulses && pulse) {
                const int bar = std::max(3, w);
                painter.fillRect(QRect(x - (bar - w) / 2, plot.top() + 1, bar, layout.offLevel - plot.top()),
                                 YearGraphStateColour(s.state));
            }
            start += s.length;
        }
    }

    // The levels named on the left.
    painter.setPen(QPen(Qt::black, 0));
    const int left = layout.area.left();
    const int width = plot.left() - left - fm.averageCharWidth();
    painter.drawText(QRect(left, layout.onLevel - fm.height() / 2, width, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                     texts(TextId::On).trimmed());
    painter.drawText(QRect(left, layout.offLevel - fm.height() / 2, width, fm.height()),
                     Qt::AlignRight | Qt::AlignVCenter, texts(TextId::Off).trimmed());
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DashLine));
    painter.drawLine(plot.left(), layout.onLevel, plot.right(), layout.onLevel);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.restore();
}

} // namespace zendrik
