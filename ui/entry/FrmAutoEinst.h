#pragma once

#include "ui/common/MnemonicSet.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace zendrik {

class TextTable;
struct AssistantSettings;

// The settings of the edit assistant ("Eingabeautomatik"): the increments
// of the next entry and the nth-weekday rules of the summer-time start and
// end. OK copies the controls into the settings, cancel leaves them.
class FrmAutoEinst : public QDialog {
    Q_OBJECT
public:
    FrmAutoEinst(AssistantSettings& settings, const TextTable& texts, bool eibFormat, QWidget* parent = nullptr);

private:
    QSlider* slider(const char* name, int max, QLabel*& caption);
    QComboBox* combo(const char* name, const QStringList& items);
    void showCaptions();
    void load();
    void store();

    AssistantSettings& settings_;
    const TextTable& texts_;
    MnemonicSet mnemonics_;

    QSlider* hsbincmin_;
    QSlider* HsbIncStd_;
    QSlider* HsbincTag_;
    QLabel* lblincmin_;
    QLabel* lblIncStd_;
    QLabel* lblincTag_;
    QCheckBox* chkincWtag_;
    QCheckBox* chkincMon_;
    QCheckBox* chkincPrio_;
    QCheckBox* chkZustand_ = nullptr;
    QSlider* hsbwert_ = nullptr;
    QLabel* lblwert_ = nullptr;
    QComboBox* cbovonregel_;
    QComboBox* cbovonwtag_;
    QComboBox* cbobisregel_;
    QComboBox* cbobiswtag_;
    QPushButton* ChkEinstOk_;
    QPushButton* cmdEinstAbbrechen_;
};

} // namespace zendrik
