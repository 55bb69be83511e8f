#pragma once

#include "calendar/BehaviourComparison.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace zendrik {

class TextTable;
class YearGraphLayout;

// The legend of the year map as rich text: a square of each colour before its name.
QString BehaviourMapLegend(const TextTable& texts);

// The year map of the behaviour page: the painter's picture at the widget's
// size, kept until the days or the size change, the selected day marked on
// top. A click on a row selects its day.
class BehaviourMapView : public QWidget {
    Q_OBJECT
public:
    explicit BehaviourMapView(const TextTable& texts, QWidget* parent = nullptr);
    ~BehaviourMapView() override;

    void show(const std::vector<SimulatedDay>* first, const std::vector<SimulatedDay>* second,
              const ChannelBehaviour* channel, int year);
    void setSelectedDay(int day);
    // The picture as painted, without the marked day.
    const QImage& picture();
    // The day of a point (0 outside) and the point in a day's row at a minute.
    int dayAt(const QPoint& p);
    QPoint pointOf(int day, int minute);

signals:
    void dayClicked(int day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void render();

    const TextTable& texts_;
    const std::vector<SimulatedDay>* first_ = nullptr;
    const std::vector<SimulatedDay>* second_ = nullptr;
    const ChannelBehaviour* channel_ = nullptr;
    int year_ = 0;
    int selected_ = 0;
    QImage picture_;
    std::unique_ptr<YearGraphLayout> layout_;
};

} // namespace zendrik
