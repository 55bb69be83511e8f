#pragma once

#include "calendar/SoWiTabelleEingabe.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;
struct AssistantSettings;

// The summer/winter table dialog (frmEinSW): the forward and back changeover
// of one year ("Vorstellen am:", "Zurückstellen am:", each with the hour
// and the shift "um:"), the SoWiInfo box, the year scroll bar,
// "Eingabeautomatik" and "Neu" that fill the days by the assistant's
// nth-weekday rules, OK with the table's checks, and the fill of the whole
// table from a time zone with a preview of its changeovers. New rows, or the
// marked rows changed or copied one after another.
class FrmEinSW : public QDialog {
    Q_OBJECT
public:
    FrmEinSW(ProgramModel& model, const TextTable& texts, UserInteraction& ui, AssistantSettings& assistant,
             int modus = SoWiNeu, int sourceSlot = 0, int markFirst = -1, int markLast = -1,
             QWidget* parent = nullptr);

    SoWiTabelleEingabe& eingabe() { return eingabe_; }
    SoWiTabelleEingabe::Open check() const { return eingabe_.check(); }

signals:
    // A row was stored or the table filled: the list may show it.
    void stored();

private:
    void showFields();
    void takeFields();
    void ok();
    void fillFromZone();
    void showPreview();
    NterWochentagRegel vorRegel() const;
    NterWochentagRegel zurueckRegel() const;

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;
    AssistantSettings& assistant_;
    SoWiTabelleEingabe eingabe_;

    QComboBox* cboVorTag_;
    QComboBox* cboVorMon_;
    QComboBox* cboVorStd_;
    QComboBox* cboVorUm_;
    QComboBox* cboZurTag_;
    QComboBox* cboZurMon_;
    QComboBox* cboZurStd_;
    QComboBox* cboZurUm_;
    QCheckBox* chkSoWiInfo_;
    QScrollBar* hsbJahr_;
    QLabel* lblJahr_;
    QComboBox* cboZone_;
    QSpinBox* spnZoneJahre_;
    QListWidget* lstVorschau_;
};

} // namespace zendrik
