#pragma once

#include "editing/SwitchingTimeEntry.h"
#include "ui/entry/EntryDialog.h"

#include <QList>

class QCheckBox;
class QGroupBox;

namespace zendrik {

class EntryBox;

// The switching-time dialog: time, weekdays or date, channels, state,
// pulse, "1x" and priority of weekly and dated switching times. New
// entries, or the marked rows changed or copied one after another.
class FrmEingSz : public EntryDialog {
    Q_OBJECT
public:
    FrmEingSz(const EntryContext& ctx, int eingabeModus = EingabeNeu, EntrySource source = {},
              QWidget* parent = nullptr);

    SwitchingTimeEntry& entry() { return entry_; }

protected:
    bool commitFields() override;
    void showFields() override;
    QWidget* firstField() const override;

private:
    SwitchingTimeEntry entry_;
    EntryBox* hour_;
    EntryBox* minute_;
    EntryBox* day_;
    EntryBox* month_;
    EntryBox* pulse_;
    EntryBox* priority_;
    QGroupBox* fraPrio_;
    QList<QCheckBox*> chkTag_;
    QCheckBox* chktgl_;
    QCheckBox* chk1x_;
};

} // namespace zendrik
