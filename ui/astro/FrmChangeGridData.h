#pragma once

#include "editing/AstroCellEdit.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace zendrik {

class ProgramModel;
class TextTable;

// The astro view's cell editor (frm_change_grid_data): "Ändern" takes a
// time and the state (the button toggles "EIN" / "AUS"), "Löschen" clears
// the time, "verschieben um" takes a shift in hours and minutes. Each option
// shows only its own fields. result() after closing holds what OK chose, or
// the cancel (AstroEditVersatz -1).
class FrmChangeGridData : public QDialog {
    Q_OBJECT
public:
    FrmChangeGridData(const ProgramModel& model, const TextTable& texts, int modus, const AstroCellStart& start,
                      QWidget* parent = nullptr);

    const AstroEdit& result() const { return result_; }
    int modus() const;

private:
    void showFields();
    void toggleState();
    void done(int r) override;

    const ProgramModel& model_;
    const TextTable& texts_;
    int zustand_;
    AstroEdit result_;
    QRadioButton* optAendern_;
    QRadioButton* optLoeschen_;
    QRadioButton* optVerschieben_;
    QWidget* changeFields_;
    QWidget* moveFields_;
    QSpinBox* txtStunde_;
    QSpinBox* txtMinute_;
    QPushButton* cmdOnOff_;
    QSpinBox* txtVersStunde_;
    QSpinBox* txtVersMinute_;
};

} // namespace zendrik
