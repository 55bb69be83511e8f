#pragma once

#include "transfer/bus/KnxNetIpDiscovery.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;
struct DeviceProperties;

// The device properties dialog: clock language, summer/winter rule, meter
// pulse, astro channels, port and delay, print lines. "Ok" applies,
// "Speichern" applies and writes the settings file (and the port file with
// the serial devices behind COM1/COM2 and the adapter tool), "Abbrechen"
// closes.
class FrmGeraetEinst : public QDialog {
    Q_OBJECT
public:
    // The settings file (zendrik.ini) and the port file (ports.ini) live in `workDir`.
    FrmGeraetEinst(ProgramModel& model, const TextTable& texts, UserInteraction& ui, const QString& workDir,
                   QWidget* parent = nullptr);

    // Where "Schnittstellen suchen..." searches (every local interface).
    KnxNetIpDiscovery::Options interfaceSearch;

private:
    void load();
    // Opens the interface search; the connection taken goes into Bus 1 or Bus 2.
    void chooseInterface();
    DeviceProperties chosen() const;
    void apply();
    void save();
    void meterChannelChosen();
    void updateCaptions();

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;
    QString workDir_;

    QLabel* lblGeraet_;
    QComboBox* cbosprache_;
    QComboBox* cboSwRegel_;
    QGroupBox* fraMess_;
    QComboBox* cboMessKan_;
    QComboBox* cboMessPeriode_;
    QComboBox* cboMessImpDauer_;
    QSlider* hsb_impl_nge_;
    QLabel* lblImpLaenge_;
    QComboBox* cboMessZustand_;
    QComboBox* cboMessImpLage_;
    QGroupBox* fraAstro_;
    QRadioButton* optastroC1_;
    QRadioButton* optastroC1undC2_;
    QComboBox* cbolpt_;
    QLabel* lblLpt_;
    QLineEdit* txtAdapterTool_;
    QLineEdit* txtIrTool_;
    QLineEdit* txtBus1_;
    QLineEdit* txtBus2_;
    QSpinBox* spnIrTimeout_;
    QLineEdit* txtCom1_;
    QLineEdit* txtCom2_;
    QCheckBox* chkVerify_;
    QSlider* hsbverz_;
    QLabel* lblverz_;
    QSlider* Hsbzeilen_;
    QLabel* lblzeilen_;
    QPushButton* CmdEinstOk_;
    QPushButton* cmdeinstSpei_;
    QPushButton* cmdEinstend_;
};

} // namespace zendrik
