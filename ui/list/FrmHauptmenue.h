#pragma once

#include "editing/ProgramList.h"
#include "ui/list/ListTableModel.h"

#include <QList>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QTableView;

namespace zendrik {

class FeiertagTabelle;
class ListFilter;
class ListTableModel;
class MainMenu;
class ProgramModel;
class TextTable;

// The main list window: one grid, GrdDisplSz, showing one view (Ansicht) of
// one program slot. ShowList builds the core's list afresh and hands it to
// the grid; clicking a heading sorts the shown slot by that column. Movable
// priority times are named from the installation's holiday table; the astro
// view of the bus device shows the astro channel chosen above the grid.
class FrmHauptmenue : public QWidget {
    Q_OBJECT
public:
    FrmHauptmenue(ProgramModel& model, const TextTable& texts, const ListFilter& filter,
                  const FeiertagTabelle& holidays, QWidget* parent = nullptr);

    int Ansicht() const { return ansicht_; }
    void setAnsicht(int ansicht) { ansicht_ = ansicht; }
    // Fewest grid rows: as many as the window shows.
    int MinZeilen() const { return minZeilen_; }

    // Rebuilds the grid for the view and the given slot.
    void ShowList(int slot);
    const ProgramList& list() const;
    // What the list names holidays by and which astro channel it shows.
    ListSources sources() const;
    QTableView* grid() const { return grid_; }

    // The astro channel (0..3) the astro view shows: the one chosen above
    // the grid on the bus device, the only one elsewhere.
    int astroChannel() const;

    // The marked item rows (1-based, in order) and the entries behind them.
    QList<int> markedRows() const;
    std::vector<int> markedEntries() const;
    // Marks the row that shows the entry and scrolls to it; false when the
    // list does not show it.
    bool selectEntry(int entry);
    // Marks the rows that show any of the entries (the first one scrolled
    // to); returns how many rows it marked.
    int selectEntries(const std::vector<int>& entries);
    // The program check's marks in the number column.
    void setMarks(EntryMarks marks);
    const ListTableModel& tableModel() const { return *table_; }

    // The view commands of the window menu: each carries its view and slot.
    void addViewCommands(MainMenu& menu);
    // The sample views are offered while a sample is open, the astro view
    // on the devices that switch by the sun.
    void enableViews(MainMenu& menu, bool sampleOpen);
    void retranslate();

signals:
    // The list was shown again: caption and memory use may have changed.
    void listChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void headingClicked(int column);
    void applyColumnWidths();
    void showSortIndicator();
    int rowsThatFit() const;

    ProgramModel& model_;
    const TextTable& texts_;
    const ListFilter& filter_;
    const FeiertagTabelle& holidays_;
    QLabel* lblAstroKanal_;
    QComboBox* cboAstroKanal_;
    ListTableModel* table_;
    QTableView* grid_;
    int ansicht_ = AnsichtSchaltzeiten;
    int slot_ = 0;
    int minZeilen_ = 20;
};

} // namespace zendrik
