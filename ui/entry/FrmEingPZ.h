#pragma once

#include "editing/PriorityTimeEntry.h"
#include "ui/entry/EntryDialog.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;

namespace zendrik {

class EntryBox;

// The priority-time dialog: a date range (or a movable holiday of a holiday
// set), the year, the priority program or "Permanent" with its state, and
// the channels. New entries, or the marked rows changed or copied.
class FrmEingPZ : public EntryDialog {
    Q_OBJECT
public:
    FrmEingPZ(const EntryContext& ctx, int eingabeModus = EingabeNeu, EntrySource source = {},
              QWidget* parent = nullptr);

    PriorityTimeEntry& entry() { return entry_; }

    // Shows the holiday table again after the holiday dialog changed it.
    void refreshHolidays();

signals:
    // "Feiertage...": the holiday dialog is asked for.
    void holidaysRequested();

protected:
    bool commitFields() override;
    void showFields() override;
    QWidget* firstField() const override;

private:
    // A day and a month box (names: box and list of each) in a titled group.
    QGroupBox* dateGroup(TextId title, const std::array<const char*, 4>& names, EntryBox*& day, EntryBox*& month);
    QWidget* buildHolidays();
    // Fills lst_bew_Feiertage with the holidays of a cbo_Ft_sets item.
    void fillHolidays(int setItem);
    void chooseHoliday(int row);
    void showHoliday();

    PriorityTimeEntry entry_;
    EntryBox* vonTag_;
    EntryBox* vonMon_;
    EntryBox* bisTag_;
    EntryBox* bisMon_;
    EntryBox* priority_;
    QComboBox* lstvonJahr_;
    QCheckBox* chk1x_;
    QGroupBox* fraVon_;
    QGroupBox* fraBis_;
    QCheckBox* chk_bew_Feiertage_;
    QComboBox* cbo_Ft_sets_;
    QListWidget* lst_bew_Feiertage_;
    // The holiday-table index behind each row of lst_bew_Feiertage; -1 for
    // the movable holiday of a loaded entry that the table does not name.
    std::vector<int> shownHolidays_;
};

} // namespace zendrik
