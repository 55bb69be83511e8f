#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;

namespace zendrik {

class TextTable;
class YearSimulation;
struct DayProfile;

// The colours of the simulation graphs: what the channel does, and the
// day's priority (0 base program, 1..9 P1..P9, 10 permanent ON, 11 OFF).
QColor YearGraphStateColour(int state);
QColor YearGraphPriorityColour(int priority);
// "P3", "Permanent EIN": the legend's name of a day priority.
QString YearGraphPriorityName(int priority, const TextTable& texts);
// "EIN", "AUS", "Impuls": the legend's name of what a channel does.
QString YearGraphStateName(int state, const TextTable& texts);

// Where the parts of the year graph lie in an area: the month names down
// the left, the hours along the top, the chart with a row per day of the
// year (top to bottom) and a column per minute (left to right) scaled to
// the width, and the strip of the day's priority on the right. Painting and
// pointing use the same geometry.
class YearGraphLayout {
public:
    // `device` measures the font (the page, the image or the widget).
    YearGraphLayout(const QRect& area, int days, const QFont& font, const QPaintDevice* device,
                    const TextTable& texts);

    QRect area;
    QRect chart;
    QRect strip;
    QFont font;
    int days = 365;
    int labelWidth = 0;
    int gap = 0;
    int textHeight = 0;

    // Top pixel row of a day (1 .. days + 1 for the bottom edge).
    int dayTop(int day) const;
    // Pixel column of a minute (0 .. 1440 for the right edge).
    int minuteX(int minute) const;
    // The day of a pixel row inside the chart or the strip, 0 outside.
    int dayAt(int y) const;
    // The minute of a pixel column inside the chart, -1 outside.
    int minuteAt(int x) const;
    // Where the month names go in a year: each beside its month, never
    // above the chart (where the hours are) nor over another; on a chart too
    // short for all twelve, months whose name has no room are left out.
    std::vector<std::pair<int, QRect>> monthLabels(int year) const;
};

// The year graph of a channel (0-based). Every switched stretch is at
// least one pixel wide, so a one-minute pulse shows at any scale.
void PaintYearGraph(QPainter& painter, const YearGraphLayout& layout, const YearSimulation& sim, int channel,
                    const TextTable& texts);
// The hours, the month names and rules and the frames of chart and strip
// over what the chart and strip hold; the year graphs paint their rows first.
void PaintYearGraphFrame(QPainter& painter, const YearGraphLayout& layout, int year, const TextTable& texts);
// Marks a day (1-based) across the chart and the strip.
void PaintSelectedDay(QPainter& painter, const YearGraphLayout& layout, int day);

// The font of the graphs on screen and in exported pictures.
QFont SimulationGraphFont();
// The layout of the year graph in a picture of the simulation window.
YearGraphLayout YearGraphPictureLayout(const QImage& picture, int days, const TextTable& texts);
// The year graph as a picture of the given size on white, as the
// simulation window shows it (without the marked day).
QImage RenderYearGraph(const YearSimulation& sim, int channel, const TextTable& texts, const QSize& size);
// The size of an exported year picture unless another one is asked for.
inline constexpr QSize kYearPictureSize{1200, 800};
// The year graph as an exported picture: the title lines above the graph
// (the first in bold), the legend of its colours (states, then day
// priorities) below it, on white.
QImage RenderYearGraphPicture(const YearSimulation& sim, int channel, const TextTable& texts, const QSize& size,
                              const QStringList& title);
// The picture as PNG file, written atomically. False with the reason.
bool WriteYearGraphPng(const QImage& image, const QString& path, QString* error);

// Where the parts of the day graph lie: the hours along the bottom, the
// ON and OFF levels named on the left.
class DayGraphLayout {
public:
    DayGraphLayout(const QRect& area, const QFont& font, const QPaintDevice* device, const TextTable& texts);

    QRect area;
    QRect plot;
    QFont font;
    int onLevel = 0;  // pixel row of the ON level
    int offLevel = 0; // pixel row of the OFF level

    int minuteX(int minute) const;
    // The minute of a pixel column inside the plot, -1 outside.
    int minuteAt(int x) const;
};

// The day profile: the ON stretches filled up to the ON level, pulses as
// bars at least three pixels wide, an hour tick for every hour.
void PaintDayGraph(QPainter& painter, const DayGraphLayout& layout, const DayProfile& profile,
                   const TextTable& texts);

} // namespace zendrik
