#pragma once

#include "editing/checks/ProgramDiff.h"

#include <QDialog>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace zendrik {

class BehaviourPage;
class ProgramModel;
class TextTable;

// "Programmvergleich": what differs between two programs, made once when
// the window opens: the header fields first, then the entries only in one
// of them and the entries changed in state, channels or pulse, each with its
// row in both lists. A second page shows what the programs do differently
// through a year. The window stays open beside the list.
class FrmVergleich : public QDialog {
    Q_OBJECT
public:
    // Slot `slotA` of `a` (named `nameA`) against slot `slotB` of `b`.
    FrmVergleich(const ProgramModel& a, int slotA, const QString& nameA, const ProgramModel& b, int slotB,
                 const QString& nameB, const TextTable& texts, QWidget* parent = nullptr);

    const ProgramDiff& difference() const { return diff_; }
    QTableWidget* table() const { return grid_; }
    // The table as text: one line per row, cells joined by TAB.
    QStringList rowsText() const;
    QTabWidget* pages() const { return pages_; }
    BehaviourPage* behaviour() const { return behaviour_; }
    // Shows the behaviour page with a year and a channel (0-based).
    void showBehaviour(int year, int channel);

signals:
    // A double click on an entry that the first program holds (its table row).
    void entryRequested(int entry);

private:
    ProgramDiff diff_;
    QLabel* lblVergleich_;
    QLabel* lblAnzahl_;
    QTableWidget* grid_;
    QTabWidget* pages_;
    BehaviourPage* behaviour_;
};

} // namespace zendrik
