#pragma once

#include "calendar/DayProfile.h"
#include "calendar/SimulationCause.h"
#include "editing/ProgramSnapshot.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zendrik {

class CalendarExportDialog;
class ProgramModel;
class TextTable;
class YearGraphLayout;
class DayGraphLayout;
class YearSimulation;

// The year graph of the simulation window: the shared renderer's picture at
// the widget's size, kept until the simulation or the size changes, with
// the selected day marked on top. Pointing selects a day.
class YearGraphView : public QWidget {
    Q_OBJECT
public:
    explicit YearGraphView(const TextTable& texts, QWidget* parent = nullptr);
    ~YearGraphView() override;

    void show(const YearSimulation* sim, int channel);
    void setSelectedDay(int day);
    // The picture as painted, without the marked day.
    const QImage& picture();
    // Where a point of the widget lies: day (0 outside), minute (-1 outside the chart).
    int dayAt(const QPoint& p);
    int minuteAt(const QPoint& p);
    // The point in the middle of a day's row at a minute.
    QPoint pointOf(int day, int minute);

signals:
    void pointed(int day, int minute);
    void activated(int day, int minute);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void render();

    const TextTable& texts_;
    const YearSimulation* sim_ = nullptr;
    int channel_ = 0;
    int selected_ = 0;
    QImage picture_;
    std::unique_ptr<YearGraphLayout> layout_;
};

// The day graph: the profile of the shown day, minute 0 to 1440.
class DayGraphView : public QWidget {
    Q_OBJECT
public:
    explicit DayGraphView(const TextTable& texts, QWidget* parent = nullptr);
    ~DayGraphView() override;

    void show(const DayProfile& profile);
    // The minute under a point, -1 outside; a pulse within the pixel wins,
    // so a one-minute pulse can be pointed at.
    int minuteAt(const QPoint& p) const;
    // The pixel column where a minute begins.
    int xOfMinute(int minute) const;

signals:
    void pointed(int minute);
    void activated(int minute);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    DayGraphLayout layout() const;

    const TextTable& texts_;
    DayProfile profile_;
};

// The colour legend of the year graph (lblColorP): the channel's states and
// the day priorities of the strip.
class ColorLegend : public QWidget {
    Q_OBJECT
public:
    explicit ColorLegend(const TextTable& texts, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TextTable& texts_;
};

// "Programmsimulation" (FrmGrafik): how the program switches a channel
// through a year. The year graph (a row per day, the day's priority beside
// it) selects the day, the day graph shows its minutes; under the pointer
// the window names the time, the state and what decided it. The window
// stays open beside the list and follows every change of the program; it
// simulates the slot the list shows, the program or the sample.
class FrmGrafik : public QWidget {
    Q_OBJECT
public:
    FrmGrafik(const ProgramModel& model, const TextTable& texts, QWidget* parent = nullptr);
    ~FrmGrafik() override;

    int simJahr() const;
    int channel() const;
    int shownDay() const { return day_; }
    // The slot simulated: the one the list showed at the last change.
    int shownSlot() const { return simulated_.slot; }
    const YearSimulation& simulation() const { return *sim_; }
    const DayProfile& shownProfile() const { return profile_; }
    YearGraphView* yearGraph() const { return year_; }
    DayGraphView* dayGraph() const { return dayView_; }

    // What decided a minute of the shown channel, and its line of text.
    SimulationCause causeAt(int day, int minute) const;
    QString causeText(int day, int minute) const;

    // Asks for a file to write (the picture, the table); tests answer it.
    std::function<QString(const QString& suggested, const QString& filter)> chooseFile;

    void retranslate();

public slots:
    // Shows a day of the simulated year (clamped to its days).
    void showDay(int dayOfYear);
    // Shows a channel (0-based, clamped to the device's channels).
    void showChannel(int channel);
    // The program may have changed: simulates again when it did.
    void programChanged();
    // "Neu zeichnen": simulates again and redraws everything.
    void redraw();
    // "Jahresbetriebsstunden berechnen".
    void computeYearHours();
    bool exportPng(const QString& path);
    bool exportCsv(const QString& path);
    // The switching year of channels (0-based) as iCalendar in a time zone
    // (empty: local times), or for a *.csv path as the list of periods.
    bool exportCalendar(const QString& path, const std::vector<int>& channels, const QString& zone);
    // "Kalender speichern...": the dialog of channels and zone, then a file.
    void saveCalendar();
    // The calendar dialog while it is open.
    CalendarExportDialog* calendarDialog() const;

signals:
    // A double click named an entry of the shown slot (its row in the table).
    void entryRequested(int slot, int entry);
    // "Vergleichen mit...": compare the simulated slot in a year, on a
    // channel (0-based), with a program file.
    void compareRequested(int slot, int year, int channel);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillChannels();
    void updateTitle();
    void simulate();
    void yearChosen();
    void channelChosen();
    void showPointed(int day, int minute);
    void activate(int day, int minute);
    void savePicture();
    void saveTable();
    QString dayProgramText(int day) const;
    QString suggestedFile(const QString& extension, bool ofChannel = true) const;
    void calendarChosen();
    void report(bool ok, const QString& path, const QString& error);
    bool wouldOverwriteProgram(const QString& path) const;

    const ProgramModel& model_;
    const TextTable& texts_;
    std::unique_ptr<YearSimulation> sim_;
    SimulationSnapshot simulated_;
    DayProfile profile_;
    int day_ = 1;
    bool yearHoursShown_ = false;

    QLabel* lblJahr_;
    QComboBox* cboJahr_;
    QLabel* lblKanal_;
    QComboBox* cboKanal_;
    YearGraphView* year_;
    ColorLegend* legend_;
    QLabel* lblDatum_;
    QScrollBar* hsbTag_;
    DayGraphView* dayView_;
    QLabel* lblZeit_;
    QLabel* lblUrsache_;
    QLabel* lblBetriebsstunden_;
    QLabel* lblJahresstunden_;
    QLabel* lblHinweis_;
    QPushButton* cmdJahresstunden_;
    QPushButton* cmdNeuZeichnen_;
    QPushButton* cmdPng_;
    QPushButton* cmdCsv_;
    QPushButton* cmdBeenden_;
    QPushButton* cmdVergleichen_;
    QPushButton* cmdKalender_;
    QPointer<CalendarExportDialog> calendarDialog_;
};

} // namespace zendrik
