#pragma once

#include "calendar/BehaviourComparison.h"
#include "model/ProgramModel.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;

namespace zendrik {

class BehaviourDayView;
class BehaviourMapView;
class TextTable;
class YearSimulation;

// The behaviour page of the comparison window: what two programs do
// differently through a year. For the chosen year and channel the figures
// (days, operating hours, minutes ON in only one), the year map and the
// differing days; a day chosen in the list or on the map shows both day
// profiles one above the other, each with what decided its switchings.
// The page keeps copies of both programs, so the year can change after the
// windows that opened it have let go of theirs.
class BehaviourPage : public QWidget {
    Q_OBJECT
public:
    // Slot `slotA` of `a` (named `nameA`) against slot `slotB` of `b`.
    BehaviourPage(const ProgramModel& a, int slotA, const QString& nameA, const ProgramModel& b, int slotB,
                  const QString& nameB, const TextTable& texts, QWidget* parent = nullptr);
    ~BehaviourPage() override;

    int year() const;
    int channel() const;
    int shownDay() const { return day_; }
    const BehaviourComparison& comparison() const { return comparison_; }
    const ChannelBehaviour& shownChannel() const;
    const YearSimulation& first() const { return *simA_; }
    const YearSimulation& second() const { return *simB_; }
    BehaviourMapView* map() const { return map_; }
    // The lines the page shows for the day: the explanations of each program.
    QStringList decisions(bool second) const;

public slots:
    // A year of the simulation (clamped to the years it works for).
    void showYear(int year);
    // A channel (0-based, clamped to the channels both programs have).
    void showChannel(int channel);
    // A day of the year: both profiles and their explanations.
    void showDay(int dayOfYear);

private:
    void compute();
    void channelChosen();
    void daySelected();

    ProgramModel a_;
    ProgramModel b_;
    int slotA_;
    int slotB_;
    QString nameA_;
    QString nameB_;
    const TextTable& texts_;
    std::unique_ptr<YearSimulation> simA_;
    std::unique_ptr<YearSimulation> simB_;
    BehaviourComparison comparison_;
    std::vector<SimulatedDay> yearA_;
    std::vector<SimulatedDay> yearB_;
    int day_ = 0;

    QComboBox* cboJahr_;
    QComboBox* cboKanal_;
    QLabel* lblKanalZeile_;
    QLabel* lblZahlen_;
    BehaviourMapView* map_;
    QLabel* lblLegende_;
    QLabel* lblTage_;
    QListWidget* lstTage_;
    QLabel* lblTagErstes_;
    BehaviourDayView* picTagErstes_;
    QListWidget* lstUrsachenErstes_;
    QLabel* lblTagZweites_;
    BehaviourDayView* picTagZweites_;
    QListWidget* lstUrsachenZweites_;
};

} // namespace zendrik
