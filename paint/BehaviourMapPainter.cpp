#include "paint/BehaviourMapPainter.h"

#include "language/TextTable.h"
#include "paint/YearGraphPainter.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace zendrik {

namespace {

bool IsPulse(int state)
{
    return state == ProfileImpulsEin || state == ProfileImpulsAus;
}

// The state of every minute of a day graph.
std::array<int, kMinutesOfDay> Minutes(const DayProfile& profile)
{
    std::array<int, kMinutesOfDay> states{};
    int minute = 0;
    for (const ProfileSegment& s : profile.segments) {
        const int end = std::min(kMinutesOfDay, minute + std::max(0, s.length));
        std::fill(states.begin() + minute, states.begin() + end, s.state);
        minute = end;
    }
    return states;
}

} // namespace

QColor BehaviourMinuteColour(BehaviourMinute kind)
{
    switch (kind) {
    case BehaviourMinute::OnInBoth:
        return QColor(0xb4, 0xb4, 0xb4);
    case BehaviourMinute::OnlyFirst:
        return QColor(0x1f, 0x5f, 0xa8);
    case BehaviourMinute::OnlySecond:
        return QColor(0xcc, 0x79, 0xa7);
    case BehaviourMinute::PulseInBoth:
        return QColor(0x30, 0x30, 0x30);
    case BehaviourMinute::Off:
        break;
    }
    return Qt::white;
}

QString BehaviourMinuteName(BehaviourMinute kind, const TextTable& texts)
{
    switch (kind) {
    case BehaviourMinute::OnInBoth:
        return texts(kMapOnInBoth);
    case BehaviourMinute::OnlyFirst:
        return texts(kMapOnlyFirst);
    case BehaviourMinute::OnlySecond:
        return texts(kMapOnlySecond);
    case BehaviourMinute::PulseInBoth:
        return texts(kMapPulseInBoth);
    case BehaviourMinute::Off:
        break;
    }
    return QString();
}

QColor BehaviourDayDiffersColour()
{
    return QColor(0xd0, 0x30, 0x20);
}

BehaviourMinute BehaviourMinuteOf(const DayProfile& first, const DayProfile& second, int minute)
{
    return BehaviourMinuteOf(first.StateAt(minute), second.StateAt(minute));
}

BehaviourMinute BehaviourMinuteOf(int a, int b)
{
    if (IsPulse(a) || IsPulse(b)) {
        if (a == b)
            return BehaviourMinute::PulseInBoth;
        return IsPulse(a) ? BehaviourMinute::OnlyFirst : BehaviourMinute::OnlySecond;
    }
    const bool onA = a == ProfileEin;
    const bool onB = b == ProfileEin;
    if (onA && onB)
        return BehaviourMinute::OnInBoth;
    if (onA != onB)
        return onA ? BehaviourMinute::OnlyFirst : BehaviourMinute::OnlySecond;
    return BehaviourMinute::Off;
}

void PaintBehaviourMap(QPainter& painter, const YearGraphLayout& layout, const std::vector<SimulatedDay>& first,
                       const std::vector<SimulatedDay>& second, const ChannelBehaviour& channel, int year,
                       const TextTable& texts)
{
    const QRect& chart = layout.chart;
    const QRect& strip = layout.strip;
    painter.fillRect(chart, Qt::white);
    painter.fillRect(strip, Qt::white);
    const int days = std::min({layout.days, static_cast<int>(first.size()), static_cast<int>(second.size())});
    for (int day = 1; day <= days; ++day) {
        const DayProfile& a = first[static_cast<std::size_t>(day - 1)].profile;
        const DayProfile& b = second[static_cast<std::size_t>(day - 1)].profile;
        const int top = layout.dayTop(day);
        const int height = std::max(1, layout.dayTop(day + 1) - top);
        const std::array<int, kMinutesOfDay> stateA = Minutes(a);
        const std::array<int, kMinutesOfDay> stateB = Minutes(b);
        // Runs of minutes alike; the stretches first, then the pulses over
        // them, so that a pulse stays visible where a pixel holds many minutes.
        for (const bool pulses : {false, true}) {
            int start = 0;
            for (int minute = 1; minute <= kMinutesOfDay; ++minute) {
                if (minute < kMinutesOfDay && stateA[minute] == stateA[start] && stateB[minute] == stateB[start])
                    continue;
                const BehaviourMinute kind = BehaviourMinuteOf(stateA[start], stateB[start]);
                const bool pulse = IsPulse(stateA[start]) || IsPulse(stateB[start]);
                if (kind != BehaviourMinute::Off && pulse == pulses) {
                    const int x = layout.minuteX(start);
                    const int w = std::max(1, layout.minuteX(minute) - x);
                    painter.fillRect(QRect(x, top, w, height), BehaviourMinuteColour(kind));
                }
                start = minute;
            }
        }
    }
    // The days the comparison names, on the strip.
    const QColor differing = BehaviourDayDiffersColour();
    for (const BehaviourDay& d : channel.days) {
        if (d.dayOfYear < 1 || d.dayOfYear > layout.days)
            continue;
        const int top = layout.dayTop(d.dayOfYear);
        painter.fillRect(QRect(strip.left(), top, strip.width(), std::max(1, layout.dayTop(d.dayOfYear + 1) - top)),
                         differing);
    }
    PaintYearGraphFrame(painter, layout, year, texts);
}

QImage RenderBehaviourMap(const std::vector<SimulatedDay>& first, const std::vector<SimulatedDay>& second,
                          const ChannelBehaviour& channel, int year, const TextTable& texts, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int days = static_cast<int>(std::max<std::size_t>(1, first.size()));
    PaintBehaviourMap(painter, YearGraphPictureLayout(image, days, texts), first, second, channel, year, texts);
    return image;
}

} // namespace zendrik
