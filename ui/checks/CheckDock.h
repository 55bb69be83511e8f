#pragma once

#include "editing/ProgramSnapshot.h"
#include "editing/checks/Finding.h"
#include "ui/list/ListTableModel.h"

#include <QDockWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zendrik {

class ProgramModel;
class TextTable;

// "Programmprüfung": the findings of every check on the program being
// edited, one line each (severity, list rows, message, the explanation as
// tip). The dock runs the checks again whenever the program changed; a
// double click on a finding asks to show it.
class CheckDock : public QDockWidget {
    Q_OBJECT
public:
    CheckDock(const ProgramModel& model, const TextTable& texts, QWidget* parent = nullptr);

    const Findings& findings() const { return findings_; }
    int year() const { return year_; }
    QTreeWidget* findingList() const { return list_; }
    QPushButton* zoneButton() const { return cmdZone_; }
    // The marks for the list rows of the findings.
    EntryMarks marks() const;

    void retranslate();

public slots:
    // Runs the checks when the program (or the year) changed since the last run.
    void programChanged();

signals:
    // A double click (or Enter) on the finding with that index.
    void findingActivated(int index);
    // The findings were made afresh.
    void findingsChanged();
    // "Tabelle aus Zeitzone": the chosen finding's zone should fill the
    // summer/winter table so that the year follows it.
    void fillTableFromZone(const QByteArray& zone, int year);

private:
    void run();
    void fill();
    void showDetail();
    QString rowsText(const Finding& f) const;

    const ProgramModel& model_;
    const TextTable& texts_;
    Findings findings_;
    std::optional<ProgramSnapshot> checked_;
    int year_ = 0;
    QLabel* lblSummary_;
    QLabel* lblDetail_;
    QTreeWidget* list_;
    QPushButton* cmdZone_;
};

} // namespace zendrik
