#include "ui/simulation/BehaviourDayView.h"

#include "paint/YearGraphPainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace zendrik {

BehaviourDayView::BehaviourDayView(const TextTable& texts, QWidget* parent) : QWidget(parent), texts_(texts)
{
    const QFontMetrics fm(SimulationGraphFont());
    setMinimumSize(300, fm.height() * 4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void BehaviourDayView::show(const DayProfile& profile)
{
    profile_ = profile;
    update();
}

void BehaviourDayView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    PaintDayGraph(painter, DayGraphLayout(rect(), SimulationGraphFont(), this, texts_), profile_, texts_);
}

} // namespace zendrik
