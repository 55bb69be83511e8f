#pragma once

#include "calendar/DayProfile.h"

#include <QWidget>

namespace zendrik {

class TextTable;

// One day's profile on the behaviour page, painted as the simulation
// window's day graph, only lower.
class BehaviourDayView : public QWidget {
    Q_OBJECT
public:
    explicit BehaviourDayView(const TextTable& texts, QWidget* parent = nullptr);

    void show(const DayProfile& profile);
    const DayProfile& profile() const { return profile_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TextTable& texts_;
    DayProfile profile_;
};

} // namespace zendrik
