#include "ui/simulation/BehaviourMapView.h"

#include "language/TextTable.h"
#include "paint/BehaviourMapPainter.h"
#include "paint/YearGraphPainter.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

namespace zendrik {

QString BehaviourMapLegend(const TextTable& texts)
{
    auto item = [](const QColor& colour, const QString& name) {
        return QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;").arg(colour.name()) + name.toHtmlEscaped();
    };
    QStringList parts;
    for (const BehaviourMinute kind : {BehaviourMinute::OnlyFirst, BehaviourMinute::OnlySecond,
                                       BehaviourMinute::OnInBoth, BehaviourMinute::PulseInBoth})
        parts << item(BehaviourMinuteColour(kind), BehaviourMinuteName(kind, texts));
    parts << item(BehaviourDayDiffersColour(), texts(kMapDayDiffers));
    return parts.join(QStringLiteral(" &nbsp; "));
}

BehaviourMapView::BehaviourMapView(const TextTable& texts, QWidget* parent) : QWidget(parent), texts_(texts)
{
    setObjectName(QStringLiteral("picVerhalten"));
    // The hours and the month names need this much; the rest of a small
    // screen goes to the days' profiles beside it.
    const QFontMetrics fm(SimulationGraphFont());
    setMinimumSize(320, fm.height() * 15 + 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

BehaviourMapView::~BehaviourMapView() = default;

void BehaviourMapView::show(const std::vector<SimulatedDay>* first, const std::vector<SimulatedDay>* second,
                            const ChannelBehaviour* channel, int year)
{
    first_ = first;
    second_ = second;
    channel_ = channel;
    year_ = year;
    picture_ = QImage();
    update();
}

void BehaviourMapView::setSelectedDay(int day)
{
    if (day == selected_)
        return;
    selected_ = day;
    update();
}

void BehaviourMapView::render()
{
    if (!first_ || !second_ || !channel_ || (!picture_.isNull() && picture_.size() == size()))
        return;
    picture_ = RenderBehaviourMap(*first_, *second_, *channel_, year_, texts_, size());
    layout_ = std::make_unique<YearGraphLayout>(
        YearGraphPictureLayout(picture_, static_cast<int>(first_->size()), texts_));
}

const QImage& BehaviourMapView::picture()
{
    render();
    return picture_;
}

int BehaviourMapView::dayAt(const QPoint& p)
{
    render();
    return layout_ ? layout_->dayAt(p.y()) : 0;
}

QPoint BehaviourMapView::pointOf(int day, int minute)
{
    render();
    if (!layout_)
        return {};
    const int top = layout_->dayTop(day);
    return {layout_->minuteX(minute), (top + std::max(top + 1, layout_->dayTop(day + 1))) / 2};
}

void BehaviourMapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    render();
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(0, 0, picture_);
    if (layout_)
        PaintSelectedDay(painter, *layout_, selected_);
}

void BehaviourMapView::mousePressEvent(QMouseEvent* event)
{
    if (const int day = dayAt(event->position().toPoint()); day > 0)
        emit dayClicked(day);
}

} // namespace zendrik
